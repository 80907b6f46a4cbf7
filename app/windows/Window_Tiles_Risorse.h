// Window_Tiles_Risorse: the resources tile window, laid out but still empty.
#pragma once

#include <QWidget>

class TForm_Tiles_Risorse : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Tiles_Risorse(QWidget* parent = nullptr);
};

extern TForm_Tiles_Risorse* Form_Tiles_Risorse;
