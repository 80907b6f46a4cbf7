// The editor's command line. Two options and one name: a parser library would add more than it
// saves, and the same rules must hold before QApplication exists (--help needs no display).
#include "EditorArguments.h"

#include "base/FileAccess.h"
#include "base/KorvanError.h"
#include "base/Version.h"
#include "map/MapFile.h"

#include <QByteArray>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& arguments)
{
    EditorCommandLine line;
    std::vector<std::string> names;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            names.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return {EditorCommandLine::Action::Help, {}, {}};
        } else if (argument == "--version") {
            return {EditorCommandLine::Action::Version, {}, {}};
        } else if (line.Reason.isEmpty()) {
            line.Reason = argument.starts_with("--")
                              ? QString("unrecognized option '%1'").arg(DisplayName(argument))
                              : QString("invalid option -- '%1'").arg(DisplayName(argument.substr(1, 1)));
        }
    }
    if (line.Reason.isEmpty() && names.size() > 1)
        line.Reason = QString("one map file at most, not %1").arg(names.size());
    if (line.Reason.isEmpty() && names.size() == 1 && names.front().empty())
        line.Reason = "empty map file name";
    if (!line.Reason.isEmpty()) {
        line.Do = EditorCommandLine::Action::BadUsage;
        return line;
    }
    if (!names.empty())
        line.MapFile = names.front();
    return line;
}

QString EditorUsage()
{
    return "Usage: Project_KORVAN [MAPFILE]\n"
           "Generates and edits isometric maps for real-time and turn-based strategy games.\n"
           "After the intro the editor shows a new random map or, given MAPFILE (a .korv\n"
           "map file), that map. The interface is in Italian.\n"
           "\n"
           "  -h, --help     print this help and exit\n"
           "      --version  print the version and exit\n"
           "  --             end of options: a following name that starts with '-' is MAPFILE\n";
}

QString EditorVersion()
{
    return QString("Project_KORVAN (KORVAN Editor) ") + korvan::Version + "\n" + korvan::VersionNotice;
}

bool PrintOnStandardOutput(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    const bool failedBefore = std::ferror(stdout) != 0;
    errno = 0;
    const bool flushFailed = std::fflush(stdout) != 0;
    const int error = errno;
    if (!failedBefore && !flushFailed)
        return true;
    std::fprintf(stderr, "Project_KORVAN: standard output: %s\n",
                 flushFailed && error != 0 ? std::strerror(error) : "write error");
    return false;
}

QString LoadStartMap(korvan::MapGrid& cells, const std::string& path)
{
    std::uint64_t size = 0;
    try {
        size = korvan::LoadMap(cells, path);
    } catch (const korvan::FileError& error) {
        throw korvan::KorvanError((DisplayName(path) + ": ").toStdString() + korvan::SystemReason(error));
    }
    if (size <= korvan::MapFileSize)
        return {};
    return QString("%1: the file is longer than a map (%2 bytes); its first %3 bytes were loaded")
        .arg(DisplayName(path))
        .arg(size)
        .arg(korvan::MapFileSize);
}

std::string AbsolutePath(const std::string& path)
{
    if (path.starts_with('/'))
        return path;
    std::string folder(4096, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return path;  // the working folder is gone: the relative name still works, if anything
        folder.resize(folder.size() * 2);
    }
    folder.resize(std::strlen(folder.c_str()));
    return (folder == "/" ? folder : folder + "/") + path;
}

QString DisplayName(const std::string& path) { return QString::fromLocal8Bit(QByteArray::fromStdString(path)); }
