// The editor's command line: one optional map file, opened at the switch from the intro in place
// of the generated map (so that a file manager can open .korv files with it). Names are kept as
// the bytes the program was given, whatever their encoding.
#pragma once

#include "map/MapGrid.h"

#include <QString>

#include <string>
#include <vector>

struct EditorCommandLine {
    enum class Action { Run, Help, Version, BadUsage };
    Action Do = Action::Run;
    std::string MapFile;  // empty: the generated map
    QString Reason;       // why the usage is bad
};

// arguments: without the program's name, and (after QApplication) without Qt's own options.
EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& arguments);

QString EditorUsage();    // for --help, on standard output
QString EditorVersion();  // for --version

// Prints text on standard output and flushes it; false, with "Project_KORVAN: standard output:
// reason" on standard error, when the text could not be written (a full disk).
bool PrintOnStandardOutput(const QString& text);

// The map named on the command line, read into cells as "Carica Mappa" reads one. A failure
// raises KorvanError with a text that names the file and says why in the system's words
// ("/tmp/d.korv: Is a directory"), as the command-line tools do; cells is then unchanged. Returns
// a warning for a file longer than a map (its first map is loaded), otherwise an empty text.
QString LoadStartMap(korvan::MapGrid& cells, const std::string& path);

// path made absolute against the working folder, byte for byte (no encoding round trip).
std::string AbsolutePath(const std::string& path);

// A file name for the user's eyes (bytes that are not UTF-8 show as replacement characters).
QString DisplayName(const std::string& path);
