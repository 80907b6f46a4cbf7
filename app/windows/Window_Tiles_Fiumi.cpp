// Window_Tiles_Fiumi: the rivers and lakes tile window, laid out but still empty.
#include "Window_Tiles_Fiumi.h"

#include "WindowLook.h"

TForm_Tiles_Fiumi* Form_Tiles_Fiumi = nullptr;

TForm_Tiles_Fiumi::TForm_Tiles_Fiumi(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Fiumi", {536, 341}, {215, 153}, korvan::look::ButtonFace());
}
