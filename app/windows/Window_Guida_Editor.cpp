// Window_Guida_Editor: the editor guide, a placeholder until the guide is written.
#include "Window_Guida_Editor.h"

#include "WindowLook.h"

using namespace korvan::look;

TForm_Guida_Editor* Form_Guida_Editor = nullptr;

TForm_Guida_Editor::TForm_Guida_Editor(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Guida sull'Editor di KORVAN", {222, 42}, {548, 357}, Black);
    Label1 = AddLabel(this, "Label1", {16, 16}, "Guida non ancora attiva...", Font(Face::Verdana, 13), Lime);
}
