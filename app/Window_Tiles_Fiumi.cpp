// Window_Tiles_Fiumi: "Tiles Fiumi e Laghi", a clickable palette of the coast and water pieces
// of the Quadri sheet (brush 4).
#include "Window_Tiles_Fiumi.h"

#include "TilePaletteView.h"
#include "WindowLook.h"

#include "edit/BrushModes.h"

TForm_Tiles_Fiumi* Form_Tiles_Fiumi = nullptr;

TForm_Tiles_Fiumi::TForm_Tiles_Fiumi(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Fiumi", {536, 341}, {215, 153}, korvan::look::ButtonFace());
    Palette = AddTilePalette(this, korvan::QuadriMode);
}
