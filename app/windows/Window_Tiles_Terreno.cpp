// Window_Tiles_Terreno: the terrain palette, the ten terrain tiles with their names beside them.
#include "Window_Tiles_Terreno.h"

#include "WindowLook.h"

#include <QLabel>

using namespace korvan::look;

TForm_Tiles_Terreno* Form_Tiles_Terreno = nullptr;

namespace {

struct TerrainName {
    const char* control;
    int top;
    const char* caption;
};

// In terrain order; the step of 40 between 4 and 5 is in the layout as it was drawn.
constexpr TerrainName Names[10] = {
    {"StaticText1", 8, "Terra Desertica"},    {"StaticText3", 40, "Terra Desertica (2)"},
    {"StaticText2", 72, "Terra Fertile"},     {"StaticText4", 104, "Terra Fertile (2)"},
    {"StaticText5", 136, "Terra Fertile (3)"}, {"StaticText6", 176, "Terra Fertile (4)"},
    {"StaticText7", 208, "Terra Fertile (5)"}, {"StaticText8", 240, "Terra Tundra"},
    {"StaticText9", 272, "Terra Ghiacciata"}, {"StaticText10", 304, "Mare Nostrum :-P"},
};

// Tall enough that a name centred in it sits beside its 33-row tile despite the uneven tops.
constexpr int NameHeight = 18;

}  // namespace

TForm_Tiles_Terreno::TForm_Tiles_Terreno(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Form_Tiles_Terreno", {194, 332}, {499, 129}, Silver);
    Image1 = AddPicture(this, "Image1", {0, 0, 66, 332}, ":/pictures/TerrainLegend.bmp");
    for (int terrain = 0; terrain < 10; ++terrain) {
        const TerrainName& name = Names[terrain];
        QLabel* text = AddLabel(this, name.control, {72, name.top}, name.caption, Font(Face::MsSansSerif, 11), WindowText());
        text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        text->resize(text->width(), NameHeight);
        TerrainNames[terrain] = text;
    }
}
