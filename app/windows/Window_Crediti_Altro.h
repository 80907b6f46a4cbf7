// Window_Crediti_Altro: the other credits, who wrote the program and with what.
#pragma once

#include <QWidget>

class QLabel;

class TForm_Crediti_Altro : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Crediti_Altro(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
};

extern TForm_Crediti_Altro* Form_Crediti_Altro;
