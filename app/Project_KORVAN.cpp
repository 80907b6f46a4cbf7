// The program: the application object, the main window, the fourteen secondary windows, the
// event loop, then everything released in turn.
#include "Korvan_Editor_Source.h"
#include "SecondaryWindows.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);  // the main window's close ends the program
    QApplication::setDesktopFileName("korvan");      // the desktop entry, for the window's icon and name
    int status = 0;
    {
        TForm_Main mainWindow;
        mainWindow.show();
        CreateSecondaryWindows();
        status = application.exec();
        DestroySecondaryWindows();
    }
    return status;
}
