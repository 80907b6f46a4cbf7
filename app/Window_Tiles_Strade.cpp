// Window_Tiles_Strade: "Tiles Strade e Ferrovie", a clickable palette of the units (brush 3): no
// sheet draws roads or railways, and the units are the one brush no other window holds.
#include "Window_Tiles_Strade.h"

#include "TilePaletteView.h"
#include "WindowLook.h"

#include "edit/BrushModes.h"

TForm_Tiles_Strade* Form_Tiles_Strade = nullptr;

TForm_Tiles_Strade::TForm_Tiles_Strade(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Strade", {536, 341}, {192, 114}, korvan::look::ButtonFace());
    Palette = AddTilePalette(this, korvan::UnitsMode);
}
