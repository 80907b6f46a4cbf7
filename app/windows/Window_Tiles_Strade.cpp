// Window_Tiles_Strade: the roads and railways tile window, laid out but still empty.
#include "Window_Tiles_Strade.h"

#include "WindowLook.h"

TForm_Tiles_Strade* Form_Tiles_Strade = nullptr;

TForm_Tiles_Strade::TForm_Tiles_Strade(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Strade", {536, 341}, {192, 114}, korvan::look::ButtonFace());
}
