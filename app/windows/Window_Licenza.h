// Window_Licenza: the terms of use of the demo, in a text box that fills the window.
#pragma once

#include <QWidget>

class QPlainTextEdit;

class TForm_Licenza : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Licenza(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1;
};

extern TForm_Licenza* Form_Licenza;
