// Window_Guida_Generale: the general guide, a placeholder until the guide is written.
#include "Window_Guida_Generale.h"

#include "WindowLook.h"

using namespace korvan::look;

TForm_Guida_Generale* Form_Guida_Generale = nullptr;

TForm_Guida_Generale::TForm_Guida_Generale(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Guida Generale KORVAN Editor", {222, 53}, {192, 114}, Black);
    Label1 = AddLabel(this, "Label1", {16, 16}, "Guida non ancora attiva...", Font(Face::Verdana, 13), Lime);
}
