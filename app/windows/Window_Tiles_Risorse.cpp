// Window_Tiles_Risorse: the resources tile window, laid out but still empty.
#include "Window_Tiles_Risorse.h"

#include "WindowLook.h"

TForm_Tiles_Risorse* Form_Tiles_Risorse = nullptr;

TForm_Tiles_Risorse::TForm_Tiles_Risorse(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Risorse", {536, 341}, {231, 200}, korvan::look::ButtonFace());
}
