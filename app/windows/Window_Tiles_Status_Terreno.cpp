// Window_Tiles_Status_Terreno: the terrain status tile window, laid out but still empty.
#include "Window_Tiles_Status_Terreno.h"

#include "WindowLook.h"

TForm_Tiles_Status_Terreno* Form_Tiles_Status_Terreno = nullptr;

TForm_Tiles_Status_Terreno::TForm_Tiles_Status_Terreno(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Status_Terreno", {536, 341}, {106, 173}, korvan::look::ButtonFace());
}
