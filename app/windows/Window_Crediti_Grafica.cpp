// Window_Crediti_Grafica: the graphics credits, who drew the artwork and with which programs.
#include "Window_Crediti_Grafica.h"

#include "Credits.h"
#include "WindowLook.h"

using namespace korvan::look;

TForm_Crediti_Grafica* Form_Crediti_Grafica = nullptr;

namespace {
QString NameLine(const char* name) { return QString("- ") + name; }
}  // namespace

TForm_Crediti_Grafica::TForm_Crediti_Grafica(QWidget* parent) : QWidget(parent)
{
    using korvan::credits::GraphicsTools;
    SetUpWindow(this, "Crediti Grafica", {227, 194}, {438, 215}, Black);
    const QFont heading = Font(Face::Verdana, 13);
    Label1 = AddLabel(this, "Label1", {16, 16}, "Grafica creata da :", heading, Blue);
    Label2 = AddLabel(this, "Label2", {32, 40}, NameLine(korvan::credits::Team), heading, Lime);
    Label3 = AddLabel(this, "Label3", {16, 72}, "Grafica Creata con:", heading, Blue);
    Label4 = AddLabel(this, "Label4", {32, 96}, NameLine(GraphicsTools[0]), heading, Lime);
    Label5 = AddLabel(this, "Label5", {32, 120}, NameLine(GraphicsTools[1]), heading, Lime);
    Label6 = AddLabel(this, "Label6", {32, 144}, NameLine(GraphicsTools[2]), heading, Lime);
    Label7 = AddLabel(this, "Label7", {32, 168}, NameLine(GraphicsTools[3]), Font(Face::Verdana, 11), Lime);
}
