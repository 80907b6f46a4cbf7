// Window_Crediti_Sonoro: the sound credits, an empty card.
#pragma once

#include <QWidget>

class TForm_Crediti_Sonoro : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Crediti_Sonoro(QWidget* parent = nullptr);
};

extern TForm_Crediti_Sonoro* Form_Crediti_Sonoro;
