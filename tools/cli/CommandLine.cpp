// GNU-style command lines for the tools: option tables, help, byte-exact words, error exits.
#include "CommandLine.h"

#include "base/FileAccess.h"
#include "base/KorvanError.h"

#include "base/Version.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cctype>

namespace korvan::cli {

namespace {

// A word that can be an option's value rather than the next option: "-5" is a value, "--mode" not.
bool LooksLikeValue(const QString& word)
{
    return !word.startsWith('-') || (word.size() > 1 && word[1].isDigit());
}

// "--scroll X Y" becomes "--scroll=X,Y" before QCommandLineParser, which knows one value only.
QStringList JoinTwoValueOptions(const QStringList& words, const std::vector<OptionDefinition>& definitions)
{
    QStringList joined;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word == QLatin1String("--")) {
            joined += words.mid(i);
            break;
        }
        const OptionDefinition* pair = nullptr;
        for (const OptionDefinition& option : definitions)
            if (option.TwoValues && word == "--" + option.Names.first())
                pair = &option;
        if (pair == nullptr || (i + 1 < words.size() && words[i + 1].contains(','))) {
            joined += word;
            continue;
        }
        if (i + 2 >= words.size() || !LooksLikeValue(words[i + 1]) || !LooksLikeValue(words[i + 2]))
            throw UsageError("option '" + Bytes(word) + "' needs two values: " + Bytes(pair->ValueName));
        joined += word + "=" + words[i + 1] + "," + words[i + 2];
        i += 2;
    }
    return joined;
}

// QCommandLineParser's own messages in getopt's words: "unrecognized option '--bogus'",
// "option '--frames' requires an argument".
std::string GnuWording(const QCommandLineParser& parser)
{
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
        const QString& name = unknown.first();
        return Bytes(name.size() == 1 ? "invalid option -- '" + name + "'" : "unrecognized option '--" + name + "'");
    }
    const QString text = parser.errorText();
    const auto quoted = [&text] {
        const qsizetype open = text.indexOf('\'');
        const qsizetype close = text.lastIndexOf('\'');
        return close > open ? text.mid(open + 1, close - open - 1) : text;
    };
    if (text.startsWith("Missing value after")) {
        const QString name = quoted();
        return Bytes(name.startsWith("--") ? "option '" + name + "' requires an argument"
                                           : "option requires an argument -- '" + name.mid(1) + "'");
    }
    if (text.startsWith("Unexpected value after"))
        return "option '" + Bytes(quoted().section('=', 0, 0)) + "' doesn't allow an argument";
    return Bytes(text);
}

}  // namespace

QString OptionName(const QString& name) { return (name.size() == 1 ? "-" : "--") + name; }

std::string ReasonOf(const std::exception& error, const std::string& path)
{
    if (const auto* file = dynamic_cast<const FileError*>(&error); file != nullptr && file->Error != 0)
        return SystemReason(*file);
    std::string reason = error.what();
    const std::string suffix = ": " + path;
    if (!path.empty() && reason.ends_with(suffix))
        reason.resize(reason.size() - suffix.size());
    return reason;
}

void OnFile(const std::string& path, const std::function<void()>& body)
{
    try {
        body();
    } catch (const KorvanError& error) {
        throw Failure(path, ReasonOf(error, path));
    }
}

QStringList Words(int argc, char** argv)
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words += QString::fromLatin1(argv[i]);
    return words;
}

std::string Bytes(const QString& word) { return word.toLatin1().toStdString(); }

Options::Options(QString usage, QString summary, std::vector<OptionDefinition> options)
    : usage_(std::move(usage)), summary_(std::move(summary)), definitions_(std::move(options))
{
    definitions_.push_back({{"h", "help"}, {}, "show this help and exit"});
    for (const OptionDefinition& option : definitions_)
        parser_.addOption(QCommandLineOption(option.Names, option.Description, option.ValueName));
}

void Options::Parse(const QStringList& words)
{
    // QCommandLineParser skips the first word as the program's name.
    QStringList joined;
    try {
        joined = JoinTwoValueOptions(words, definitions_);
    } catch (const UsageError&) {
        help_ = words.contains("--help") || words.contains("-h");
        if (!help_)
            throw;
        return;
    }
    joined.prepend(QString());
    const bool parsed = parser_.parse(joined);
    help_ = parser_.isSet("help");
    if (help_)
        return;
    if (!parsed)
        throw UsageError(GnuWording(parser_));
    for (const OptionDefinition& option : definitions_)
        if (!option.ValueName.isEmpty() && parser_.isSet(option.Names.first()) &&
            parser_.value(option.Names.first()).isEmpty())
            throw UsageError("option '" + Bytes(OptionName(option.Names.last())) + "' requires a non-empty argument");
    for (const QString& word : parser_.positionalArguments())
        if (word.isEmpty())
            throw UsageError("empty file name");
}

std::vector<std::string> Options::Positional() const
{
    std::vector<std::string> words;
    for (const QString& word : parser_.positionalArguments())
        words.push_back(Bytes(word));
    return words;
}

std::string Options::HelpText() const
{
    QString text = usage_ + "\n\n" + summary_ + "\n\nOptions:\n";
    for (const OptionDefinition& option : definitions_) {
        QStringList names;
        for (const QString& name : option.Names)
            names += OptionName(name);
        QString left = "  " + names.join(", ");
        if (!option.ValueName.isEmpty())
            left += " " + option.ValueName;
        text += left.size() < 26 ? left.leftJustified(26) : left + "\n" + QString(26, ' ');
        text += option.Description + "\n";
    }
    return Bytes(text);
}

long long ParseInteger(const std::string& option, const std::string& text, long long low, long long high)
{
    // Digits only, with a minus sign where negative numbers are allowed: strtoll alone would also
    // take leading blanks and a plus sign.
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    const bool plain = text.size() > digits &&
                       text.find_first_not_of("0123456789", digits) == std::string::npos;
    char* end = nullptr;
    errno = 0;
    const long long value = plain ? std::strtoll(text.c_str(), &end, 10) : 0;
    if (!plain || *end != '\0' || errno != 0 || value < low || value > high)
        throw UsageError("invalid value for " + option + ": '" + text + "' (a whole number in " + std::to_string(low) +
                         ".." + std::to_string(high) + ")");
    return value;
}

std::pair<long long, long long> ParsePair(const std::string& option, const std::string& text, long long low,
                                          long long high)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        throw UsageError("option '" + option + "' needs two values, not '" + text + "'");
    return {ParseInteger(option, text.substr(0, comma), low, high),
            ParseInteger(option, text.substr(comma + 1), low, high)};
}

double ParseSeconds(const std::string& option, const std::string& text, double high)
{
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    const bool plain = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.');
    if (!plain || *end != '\0' || errno != 0 || !std::isfinite(value) || value < 0 || value > high)
        throw UsageError("invalid value for " + option + ": '" + text + "' (seconds, 0.." +
                         std::to_string(static_cast<long long>(high)) + ")");
    return value;
}

int RunTool(const char* tool, std::string usage, const std::function<int(std::string& usage)>& body)
{
    // Everything a tool prints on standard output fits in this buffer, so that a failing write
    // is seen, with its error number, when the buffer is flushed at the end.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    int status = 0;
    try {
        status = body(usage);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "%s: %s\n%s", tool, error.what(), usage.c_str());
        return 2;
    } catch (const Failure& failure) {
        if (failure.Path.empty())
            std::fprintf(stderr, "%s: %s\n", tool, failure.what());
        else
            std::fprintf(stderr, "%s: %s: %s\n", tool, failure.Path.c_str(), failure.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", tool, error.what());
        return 1;
    }
    if (const std::string reason = CloseStandardOutput(); !reason.empty()) {
        std::fprintf(stderr, "%s: standard output: %s\n", tool, reason.c_str());
        return 1;
    }
    return status;
}

std::string CloseStandardOutput()
{
    // As GNU tools do: an earlier failed write, or a failing flush or close, is a failure.
    const bool failedBefore = std::ferror(stdout) != 0;
    errno = 0;
    const bool flushFailed = std::fflush(stdout) != 0;
    const int flushError = errno;
    errno = 0;
    const bool closeFailed = std::fclose(stdout) != 0 && errno != EBADF;
    const int closeError = errno;
    if (!failedBefore && !flushFailed && !closeFailed)
        return {};
    const int error = flushFailed ? flushError : closeFailed ? closeError : 0;
    return error != 0 ? std::strerror(error) : "write error";
}

std::string VersionText(const char* tool)
{
    return std::string(tool) + " (KORVAN Editor) " + korvan::Version + "\n" + korvan::VersionNotice;
}

}  // namespace korvan::cli
