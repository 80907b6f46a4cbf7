// Window_Tiles_Status_Terreno: the terrain status tile window, laid out but still empty.
#pragma once

#include <QWidget>

class TForm_Tiles_Status_Terreno : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Status_Terreno(QWidget* parent = nullptr);
};

extern TForm_Tiles_Status_Terreno* Form_Tiles_Status_Terreno;
