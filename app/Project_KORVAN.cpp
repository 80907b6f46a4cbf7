// The program: the command line, the application object, the main window, the fourteen
// secondary windows, the event loop, then everything released in turn.
#include "EditorArguments.h"
#include "Korvan_Editor_Source.h"
#include "windows/SecondaryWindows.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The words after the program's name, as the bytes they were given: a map file's name may be in
// any encoding, and a round trip through QString would lose the bytes that are not UTF-8.
std::vector<std::string> ArgumentsAfterTheProgram(int argc, char** argv)
{
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        words.emplace_back(argv[i]);
    return words;
}

}  // namespace

int main(int argc, char** argv)
{
    // --help and --version answer without a display, before Qt looks for one.
    const EditorCommandLine early = ParseEditorCommandLine(ArgumentsAfterTheProgram(argc, argv));
    if (early.Do == EditorCommandLine::Action::Help || early.Do == EditorCommandLine::Action::Version)
        return PrintOnStandardOutput(early.Do == EditorCommandLine::Action::Help ? EditorUsage() : EditorVersion()) ? 0 : 1;

    QApplication application(argc, argv);
    // Qt has taken its own options (-platform, -style …) out of argc and argv by now.
    const EditorCommandLine line = ParseEditorCommandLine(ArgumentsAfterTheProgram(argc, argv));
    if (line.Do == EditorCommandLine::Action::BadUsage) {
        std::fprintf(stderr, "Project_KORVAN: %s\n%s", qPrintable(line.Reason), qPrintable(EditorUsage()));
        return 2;
    }
    application.setQuitOnLastWindowClosed(false);  // the main window's close ends the program
    QApplication::setDesktopFileName("korvan");      // the desktop entry, for the window's icon and name
    int status = 0;
    {
        TForm_Main mainWindow;
        mainWindow.StartMapFile = line.MapFile;
        mainWindow.show();
        CreateSecondaryWindows();
        status = application.exec();
        DestroySecondaryWindows();
    }
    return status;
}
