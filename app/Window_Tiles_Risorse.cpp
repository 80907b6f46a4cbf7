// Window_Tiles_Risorse: "Tiles Risorse sul Terreno", a clickable palette of the resources on the
// land: the features of the Terrain sheet (brush 2).
#include "Window_Tiles_Risorse.h"

#include "TilePaletteView.h"
#include "WindowLook.h"

#include "edit/BrushModes.h"

TForm_Tiles_Risorse* Form_Tiles_Risorse = nullptr;

TForm_Tiles_Risorse::TForm_Tiles_Risorse(QWidget* parent) : QWidget(parent)
{
    korvan::look::SetUpWindow(this, "Form_Tiles_Risorse", {536, 341}, {231, 200}, korvan::look::ButtonFace());
    Palette = AddTilePalette(this, korvan::TerrainMode);
}
