// Window_Tiles_Risorse: "Tiles Risorse sul Terreno", a clickable palette of the resources on the
// land: the features of the Terrain sheet (brush 2).
#pragma once

#include <QWidget>

class TilePaletteView;

class TForm_Tiles_Risorse : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Risorse(QWidget* parent = nullptr);

    TilePaletteView* Palette;
};

extern TForm_Tiles_Risorse* Form_Tiles_Risorse;
