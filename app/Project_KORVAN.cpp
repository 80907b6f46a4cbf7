// The program: the command line, the application object, the main window, the fourteen
// secondary windows, the event loop, then everything released in turn.
#include "EditorArguments.h"
#include "Korvan_Editor_Source.h"
#include "windows/SecondaryWindows.h"

#include <QApplication>

#include <cstdio>

namespace {

QStringList ArgumentsAfterTheProgram(const QStringList& arguments) { return arguments.mid(1); }

}  // namespace

int main(int argc, char** argv)
{
    // --help and --version answer without a display, before Qt looks for one.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const EditorCommandLine early = ParseEditorCommandLine(ArgumentsAfterTheProgram(raw));
    if (early.Do == EditorCommandLine::Action::Help || early.Do == EditorCommandLine::Action::Version) {
        const QString text = early.Do == EditorCommandLine::Action::Help ? EditorUsage() : EditorVersion();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }

    QApplication application(argc, argv);
    // Qt has taken its own options (-platform, -style …) out of the arguments by now.
    const EditorCommandLine line = ParseEditorCommandLine(ArgumentsAfterTheProgram(application.arguments()));
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
