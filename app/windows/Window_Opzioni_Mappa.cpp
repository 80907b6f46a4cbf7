// Window_Opzioni_Mappa: the map options; the generator takes none yet, so it only says so.
#include "Window_Opzioni_Mappa.h"

#include "WindowLook.h"

using namespace korvan::look;

TForm_Opzioni_Mappa* Form_Opzioni_Mappa = nullptr;

TForm_Opzioni_Mappa::TForm_Opzioni_Mappa(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Opzioni per generare Mappa", {284, 44}, {241, 180}, Black);
    Label1 = AddLabel(this, "Label1", {16, 16}, "Opzioni mappa non acora attiva...", Font(Face::Verdana, 13), Lime);
}
