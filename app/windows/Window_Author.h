// Window_Author: the author card, with two pictures, the author's name and contact address.
#pragma once

#include <QWidget>

class QLabel;

class TForm_Author : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Author(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Image2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
};

extern TForm_Author* Form_Author;
