// GNU-style command lines for the tools: option tables, help, byte-exact words, error exits.
#include "CommandLine.h"

#include "base/KorvanError.h"

#include "base/Version.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

}  // namespace

std::string ReasonOf(const std::exception& error, const std::string& path)
{
    if (const auto* file = dynamic_cast<const FileError*>(&error); file != nullptr && file->Error != 0)
        return std::strerror(file->Error);
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
    if (!parsed && !help_)
        throw UsageError(Bytes(parser_.errorText()));
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
            names += (name.size() == 1 ? "-" : "--") + name;
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
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < low || value > high)
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
    if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(value) || value < 0 || value > high)
        throw UsageError("invalid value for " + option + ": '" + text + "' (seconds, 0.." +
                         std::to_string(static_cast<long long>(high)) + ")");
    return value;
}

int RunTool(const char* tool, std::string usage, const std::function<int(std::string& usage)>& body)
{
    try {
        return body(usage);
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
}

std::string VersionText(const char* tool)
{
    return std::string(tool) + " (KORVAN Editor) " + korvan::Version + "\n" + korvan::VersionNotice;
}

}  // namespace korvan::cli
