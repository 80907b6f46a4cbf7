// Window_Crediti_Grafica: the graphics credits, who drew the artwork and with which programs.
#pragma once

#include <QWidget>

class QLabel;

class TForm_Crediti_Grafica : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Crediti_Grafica(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
};

extern TForm_Crediti_Grafica* Form_Crediti_Grafica;
