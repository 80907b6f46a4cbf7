// Window_Versione: the version card, with the version number and its picture.
#pragma once

#include <QWidget>

class QLabel;

class TForm_Versione : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Versione(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Image1;
};

extern TForm_Versione* Form_Versione;
