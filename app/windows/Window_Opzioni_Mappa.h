// Window_Opzioni_Mappa: the map options; the generator takes none yet, so it only says so.
#pragma once

#include <QWidget>

class QLabel;

class TForm_Opzioni_Mappa : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Opzioni_Mappa(QWidget* parent = nullptr);

    QLabel* Label1;
};

extern TForm_Opzioni_Mappa* Form_Opzioni_Mappa;
