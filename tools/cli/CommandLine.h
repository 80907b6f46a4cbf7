// What korvan-map and korvan-midi-render share on the command line: GNU-style options parsed
// with QCommandLineParser, help texts built from the same option tables, byte-exact file names,
// number checks, and the two kinds of error (bad usage, exit 2; a failure on a file, exit 1).
#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvan::cli {

// Bad usage: one line of reason; the tool prints it with the usage on stderr and exits 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& reason) : std::runtime_error(reason) {}
};

// A failure while running, about one file (or none): "tool: PATH: reason", exit 1.
class Failure : public std::runtime_error {
public:
    Failure(std::string path, const std::string& reason) : std::runtime_error(reason), Path(std::move(path)) {}
    std::string Path;  // may be empty
};

// Runs body and turns a core error raised inside it into a Failure on path, with the OS's
// wording for an error number ("No such file or directory") rather than the editor's dialog text.
void OnFile(const std::string& path, const std::function<void()>& body);

// The reason a core error gives, without the file name it may already carry.
std::string ReasonOf(const std::exception& error, const std::string& path);

// Command-line words as Latin-1 strings, one character per byte: option names stay ASCII and
// file names come back byte for byte through Bytes(), whatever the locale or encoding.
QStringList Words(int argc, char** argv);
std::string Bytes(const QString& word);

struct OptionDefinition {
    QStringList Names;    // e.g. {"o", "output"}
    QString ValueName;    // empty for a flag
    QString Description;
    bool TwoValues = false;  // "--scroll X Y", also accepted as "--scroll=X,Y"
};

// One verb's options (or the whole tool's) and the help text made from them.
class Options {
public:
    Options(QString usage, QString summary, std::vector<OptionDefinition> options);

    // Parses the words after the verb. Raises UsageError, in getopt's words, for an unknown
    // option, a missing or empty value, or an empty file name, unless --help was given: then
    // Help() is true and nothing else counts.
    void Parse(const QStringList& words);

    bool Help() const { return help_; }
    bool IsSet(const QString& name) const { return parser_.isSet(name); }
    std::string Value(const QString& name) const { return Bytes(parser_.value(name)); }
    std::vector<std::string> Positional() const;

    // "Usage: ..." and the option list, as --help prints it.
    std::string HelpText() const;
    const QString& Usage() const { return usage_; }

private:
    QString usage_, summary_;
    std::vector<OptionDefinition> definitions_;
    QCommandLineParser parser_;
    bool help_ = false;
};

// A whole number in low..high given for option, or a UsageError that names both.
long long ParseInteger(const std::string& option, const std::string& text, long long low, long long high);
// The two whole numbers of a two-value option ("X,Y" as Options stores them).
std::pair<long long, long long> ParsePair(const std::string& option, const std::string& text, long long low,
                                          long long high);
// A finite number of seconds in 0..high.
double ParseSeconds(const std::string& option, const std::string& text, double high);

// Runs a tool's main body with the conventions for errors: a UsageError prints "tool: reason"
// and the usage (which body may narrow to one verb's as it reads the words) on stderr, exit 2;
// a Failure prints "tool: PATH: reason", exit 1. Standard output is then closed as GNU tools
// close it: output that could not be written is "tool: standard output: reason", exit 1.
int RunTool(const char* tool, std::string usage, const std::function<int(std::string& usage)>& body);

// Flushes and closes standard output; returns why that failed ("No space left on device"), or
// an empty string. RunTool calls it after the body: a tool whose output was lost fails.
std::string CloseStandardOutput();

// "--name" for a long option's name, "-n" for a one-letter one.
QString OptionName(const QString& name);

// What --version prints: "tool (KORVAN Editor) VERSION", then the copyright and the licence.
std::string VersionText(const char* tool);

}  // namespace korvan::cli
