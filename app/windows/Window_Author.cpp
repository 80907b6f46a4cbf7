// Window_Author: the author card, with two pictures, the author's name and contact address.
#include "Window_Author.h"

#include "Credits.h"
#include "WindowLook.h"

#include <QIcon>

using namespace korvan::look;

TForm_Author* Form_Author = nullptr;

TForm_Author::TForm_Author(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Form_Author", {289, 220}, {477, 131}, Black);
    setWindowIcon(QIcon(":/pictures/KorvanIcon.png"));
    Image1 = AddPicture(this, "Image1", {8, 8, 81, 89}, ":/pictures/Author1.bmp");
    Image2 = AddPicture(this, "Image2", {40, 120, 201, 81}, ":/pictures/Author2.bmp");
    Label1 = AddLabel(this, "Label1", {104, 16}, korvan::credits::Team, Font(Face::Verdana, 13), Lime);
    Label2 = AddLabel(this, "Label2", {104, 40}, "contact:", Font(Face::Verdana, 13), Blue);
    Label3 = AddLabel(this, "Label3", {104, 64}, korvan::credits::Contact, Font(Face::Arial, 11), Lime);
}
