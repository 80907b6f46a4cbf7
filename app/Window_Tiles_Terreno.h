// Window_Tiles_Terreno: the terrain palette, the ten terrain tiles with their names beside them.
// A click on a tile or its name chooses that ground for the brush; the chosen one is framed.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QLabel;

class TForm_Tiles_Terreno : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Terreno(QWidget* parent = nullptr);

    QLabel* Image1;
    // The names in terrain order 0..9 (StaticText1, StaticText3, StaticText2, StaticText4…).
    std::array<QLabel*, 10> TerrainNames{};

    // A left press on the row of a terrain: its tile, its name or the space between.
    std::function<void(int terrain)> OnChoose;
    // The brush's ground item, and whether the ground brush is the current one.
    void ShowSelection(int terrain, bool current);
    int Selected() const { return selected_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* mark_ = nullptr;  // over the picture and the names, letting every press through
    int selected_ = -1;
    bool current_ = false;
};

extern TForm_Tiles_Terreno* Form_Tiles_Terreno;
