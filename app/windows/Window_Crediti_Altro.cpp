// Window_Crediti_Altro: the other credits, who wrote the program and with what.
#include "Window_Crediti_Altro.h"

#include "Credits.h"
#include "WindowLook.h"

#include <QLabel>

using namespace korvan::look;

TForm_Crediti_Altro* Form_Crediti_Altro = nullptr;

TForm_Crediti_Altro::TForm_Crediti_Altro(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Form_Crediti_Altro", {202, 103}, {192, 114}, Black);
    const QFont font = Font(Face::Verdana, 13);
    Label1 = AddLabel(this, "Label1", {16, 8}, "Programmato da:", font, Blue);
    // The one label with a background of its own.
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::Window, WindowFrame());
    Label1->setPalette(palette);
    Label1->setAutoFillBackground(true);
    Label2 = AddLabel(this, "Label2", {32, 32}, korvan::credits::Team, font, Lime);
    Label3 = AddLabel(this, "Label3", {16, 56}, "Con: ", font, Blue);
    Label4 = AddLabel(this, "Label4", {32, 80}, korvan::credits::DevelopmentTool, font, Lime);
}
