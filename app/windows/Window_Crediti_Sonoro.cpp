// Window_Crediti_Sonoro: the sound credits, an empty card.
#include "Window_Crediti_Sonoro.h"

#include "WindowLook.h"

TForm_Crediti_Sonoro* Form_Crediti_Sonoro = nullptr;

TForm_Crediti_Sonoro::TForm_Crediti_Sonoro(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Crediti_Sonoro", {536, 341}, {192, 114}, korvan::look::ButtonFace());
}
