// Window_Tiles_Strade: "Tiles Strade e Ferrovie", a clickable palette of the units (brush 3): no
// sheet draws roads or railways, and the units are the one brush no other window holds.
#pragma once

#include <QWidget>

class TilePaletteView;

class TForm_Tiles_Strade : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Strade(QWidget* parent = nullptr);

    TilePaletteView* Palette;
};

extern TForm_Tiles_Strade* Form_Tiles_Strade;
