// The editor's command line. Two options and one name: a parser library would add more than it
// saves, and the same rules must hold before QApplication exists (--help needs no display).
#include "EditorArguments.h"

#include "base/Version.h"

EditorCommandLine ParseEditorCommandLine(const QStringList& arguments)
{
    EditorCommandLine line;
    QStringList names;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (optionsEnded || argument == "-" || !argument.startsWith('-')) {
            names << argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return {EditorCommandLine::Action::Help, {}, {}};
        } else if (argument == "--version") {
            return {EditorCommandLine::Action::Version, {}, {}};
        } else if (line.Reason.isEmpty()) {
            line.Reason = QString("unknown option '%1'").arg(argument);
        }
    }
    if (line.Reason.isEmpty() && names.size() > 1)
        line.Reason = QString("one map file at most, not %1").arg(names.size());
    if (!line.Reason.isEmpty()) {
        line.Do = EditorCommandLine::Action::BadUsage;
        return line;
    }
    if (!names.isEmpty())
        line.MapFile = names.constFirst();
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
