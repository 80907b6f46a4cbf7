// Window_Tiles_Fiumi: "Tiles Fiumi e Laghi", a clickable palette of the coast and water pieces
// of the Quadri sheet (brush 4).
#pragma once

#include <QWidget>

class TilePaletteView;

class TForm_Tiles_Fiumi : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Fiumi(QWidget* parent = nullptr);

    TilePaletteView* Palette;
};

extern TForm_Tiles_Fiumi* Form_Tiles_Fiumi;
