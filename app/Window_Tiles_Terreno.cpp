// Window_Tiles_Terreno: the terrain palette, the ten terrain tiles with their names beside them.
#include "Window_Tiles_Terreno.h"

#include "WindowLook.h"

#include "edit/TilePalette.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

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

// The frame around the chosen terrain's rows: solid while the ground brush is current, dashed
// while another brush is.
class SelectionMark : public QWidget {
public:
    explicit SelectionMark(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(parent->rect());
    }
    int Terrain = -1;
    bool Current = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (Terrain < 0)
            return;
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight), Current ? 2 : 1, Current ? Qt::SolidLine : Qt::DashLine);
        painter.setPen(pen);
        const int top = korvan::LegendStep * Terrain;
        painter.drawRect(QRect(67, top + 1, width() - 69, korvan::LegendStep - 1));
    }
};

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
    mark_ = new SelectionMark(this);
    mark_->raise();
}

void TForm_Tiles_Terreno::ShowSelection(int terrain, bool current)
{
    if (terrain == selected_ && current == current_)
        return;
    selected_ = terrain;
    current_ = current;
    auto* mark = static_cast<SelectionMark*>(mark_);
    mark->Terrain = terrain;
    mark->Current = current;
    mark->update();
}

void TForm_Tiles_Terreno::mousePressEvent(QMouseEvent* event)
{
    const int terrain = korvan::LegendItemAt(event->position().toPoint().y(), height());
    if (event->button() == Qt::LeftButton && terrain >= 0 && OnChoose)
        OnChoose(terrain);
}
