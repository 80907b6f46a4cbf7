// Window_Guida_Generale: the general guide, a placeholder until the guide is written.
#pragma once

#include <QWidget>

class QLabel;

class TForm_Guida_Generale : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Guida_Generale(QWidget* parent = nullptr);

    QLabel* Label1;
};

extern TForm_Guida_Generale* Form_Guida_Generale;
