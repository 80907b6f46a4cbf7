// The editor's command line: one optional map file, opened at the switch from the intro in place
// of the generated map (so that a file manager can open .korv files with the editor).
#pragma once

#include <QString>
#include <QStringList>

struct EditorCommandLine {
    enum class Action { Run, Help, Version, BadUsage };
    Action Do = Action::Run;
    QString MapFile;  // empty: the generated map
    QString Reason;   // why the usage is bad
};

// arguments: without the program's name, and (after QApplication) without Qt's own options.
EditorCommandLine ParseEditorCommandLine(const QStringList& arguments);

QString EditorUsage();    // for --help, on standard output
QString EditorVersion();  // for --version
