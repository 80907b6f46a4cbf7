// Window_Guida_Editor: the editor guide, a placeholder until the guide is written.
#pragma once

#include <QWidget>

class QLabel;

class TForm_Guida_Editor : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Guida_Editor(QWidget* parent = nullptr);

    QLabel* Label1;
};

extern TForm_Guida_Editor* Form_Guida_Editor;
