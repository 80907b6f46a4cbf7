// The clickable tile palette.
#include "TilePaletteView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

TilePaletteView::TilePaletteView(int mode, int width, QWidget* parent) : QWidget(parent), layout_(korvan::LayoutPalette(mode, width))
{
    setObjectName("Palette");
    setFixedSize(layout_.Width, layout_.Height);
}

void TilePaletteView::SetArtwork(const korvan::Artwork& artwork)
{
    const korvan::IndexedImage drawn = korvan::DrawPalette(artwork, layout_);
    QImage picture(drawn.Width, drawn.Height, QImage::Format_Indexed8);
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[i] = drawn.Palette[std::size_t(i)] | 0xFF000000u;
    colours[0] = qRgba(0, 0, 0, 0);  // nothing drawn there: the window's background shows
    picture.setColorTable(colours);
    for (int y = 0; y < drawn.Height; ++y)
        std::copy_n(drawn.Pixels.data() + std::size_t(y) * std::size_t(drawn.Width), drawn.Width, picture.scanLine(y));
    picture_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    update();
}

void TilePaletteView::ShowSelection(int item, bool current)
{
    if (item == selected_ && current == current_)
        return;
    selected_ = item;
    current_ = current;
    update();
}

void TilePaletteView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const korvan::PaletteRect cell = korvan::PaletteCell(layout_, selected_);
    const QRect mark(cell.X, cell.Y, cell.Width, cell.Height);
    if (cell.Width > 0 && current_)
        painter.fillRect(mark, palette().color(QPalette::Highlight));
    painter.drawImage(0, 0, picture_);
    if (cell.Width > 0) {
        QPen pen(current_ ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Text));
        pen.setStyle(current_ ? Qt::SolidLine : Qt::DashLine);
        painter.setPen(pen);
        painter.drawRect(mark.adjusted(0, 0, -1, -1));
    }
}

void TilePaletteView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const int item = korvan::PaletteItemAt(layout_, at.x(), at.y());
    if (item >= 0 && OnChoose)
        OnChoose(layout_.Mode, item);
}

TilePaletteView* AddTilePalette(QWidget* form, int mode)
{
    auto* area = new QScrollArea(form);
    area->setObjectName("PaletteArea");
    area->setFrameShape(QFrame::NoFrame);
    area->setGeometry(form->rect());
    area->setBackgroundRole(QPalette::Window);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = form->width();
    if (korvan::LayoutPalette(mode, width).Height > form->height())
        width -= area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area->verticalScrollBar());
    auto* view = new TilePaletteView(mode, width, area);
    area->setWidget(view);
    area->setWidgetResizable(false);
    return view;
}
