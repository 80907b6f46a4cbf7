// Window_Tiles_Status_Terreno: "Tiles Status Del Terreno", a clickable palette of the state of
// the land: the Lands sheet's overlays, woods, hills, marsh, rivers (brush 1).
#include "Window_Tiles_Status_Terreno.h"

#include "TilePaletteView.h"
#include "WindowLook.h"

#include "edit/BrushModes.h"

TForm_Tiles_Status_Terreno* Form_Tiles_Status_Terreno = nullptr;

TForm_Tiles_Status_Terreno::TForm_Tiles_Status_Terreno(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Status_Terreno", {536, 341}, {106, 173}, korvan::look::ButtonFace());
    Palette = AddTilePalette(this, korvan::LandsMode);
}
