// Window_Tiles_Status_Terreno: "Tiles Status Del Terreno", a clickable palette of the state of
// the land: the Lands sheet's overlays, woods, hills, marsh, rivers (brush 1).
#pragma once

#include <QWidget>

class TilePaletteView;

class TForm_Tiles_Status_Terreno : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Status_Terreno(QWidget* parent = nullptr);

    TilePaletteView* Palette;
};

extern TForm_Tiles_Status_Terreno* Form_Tiles_Status_Terreno;
