// Window_Tiles_Terreno: the terrain palette, the ten terrain tiles with their names beside them.
#pragma once

#include <QWidget>
#include <array>

class QLabel;

class TForm_Tiles_Terreno : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Terreno(QWidget* parent = nullptr);

    QLabel* Image1;
    // The names in terrain order 0..9 (StaticText1, StaticText3, StaticText2, StaticText4…).
    std::array<QLabel*, 10> TerrainNames{};
};

extern TForm_Tiles_Terreno* Form_Tiles_Terreno;
