// Window_Tiles_Fiumi: the rivers and lakes tile window, laid out but still empty.
#pragma once

#include <QWidget>

class TForm_Tiles_Fiumi : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Fiumi(QWidget* parent = nullptr);
};

extern TForm_Tiles_Fiumi* Form_Tiles_Fiumi;
