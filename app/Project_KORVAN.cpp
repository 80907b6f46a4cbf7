// The program: the application object, the main window, the event loop.
#include "Korvan_Editor_Source.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    TForm_Main window;
    Form_Main = &window;
    window.show();
    return application.exec();
}
