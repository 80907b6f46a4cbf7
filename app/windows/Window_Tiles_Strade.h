// Window_Tiles_Strade: the roads and railways tile window, laid out but still empty.
#pragma once

#include <QWidget>

class TForm_Tiles_Strade : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Strade(QWidget* parent = nullptr);
};

extern TForm_Tiles_Strade* Form_Tiles_Strade;
