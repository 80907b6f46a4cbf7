// Window_Versione: the version card, with the version number and its picture.
#include "Window_Versione.h"

#include "Credits.h"
#include "WindowLook.h"

using namespace korvan::look;

TForm_Versione* Form_Versione = nullptr;

TForm_Versione::TForm_Versione(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Form_Versione", {257, 120}, {206, 143}, Black);
    Label1 = AddLabel(this, "Label1", {24, 16}, QString("KORVAN Editor Versione ") + korvan::credits::Version,
                      Font(Face::Verdana, 13), Lime);
    Label2 = AddLabel(this, "Label2", {24, 40}, "Demo.", Font(Face::MsSansSerif, 11), Red);
    Image1 = AddPicture(this, "Image1", {72, 64, 113, 49}, ":/pictures/Versione.bmp");
}
