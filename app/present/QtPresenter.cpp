// Qt paints the frame: converted straight into the window's backing store where it can be.
#include "QtPresenter.h"

#include "FrameChanges.h"

#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

#include <cstring>

namespace {

void ConvertRows(const korvan::IndexedImage& buffer, const korvan::PaletteConverter& colours, const QRect& rows,
                 QImage& target, QPoint at)
{
    // bits() once: scanLine() on a non-const image checks for sharing on every row.
    std::uint8_t* const bits = target.bits();
    const qsizetype bytesPerLine = target.bytesPerLine();
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        const std::uint8_t* source =
            buffer.Pixels.data() + std::size_t(y) * std::size_t(buffer.Width) + std::size_t(rows.left());
        auto* line = reinterpret_cast<std::uint32_t*>(bits + (y + at.y()) * bytesPerLine) + rows.left() + at.x();
        colours.Convert(source, line, std::size_t(rows.width()));
    }
}

// The window's own backing store, when the painter draws straight into it: a 32-bit picture,
// no scaling, and nothing but the widget's rectangle to respect. Then the frame is converted
// into it at once, without a second copy.
QImage* DirectTarget(QPainter& painter, const QRect& part, QPoint& at)
{
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->paintDevice() == nullptr || engine->paintDevice()->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(engine->paintDevice());
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate || image->devicePixelRatio() != 1.0 ||
        (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32 &&
         image->format() != QImage::Format_ARGB32_Premultiplied))
        return nullptr;
    at = QPoint(int(transform.dx()), int(transform.dy()));
    if (QPointF(at) != QPointF(transform.dx(), transform.dy()))
        return nullptr;
    const QRect target = part.translated(at);
    const QRegion clip = engine->systemClip();
    if (!image->rect().contains(target) || (!clip.isEmpty() && !(QRegion(target) - clip).isEmpty()))
        return nullptr;
    return image;
}

}  // namespace

bool QtPresenter::Present(const Content& content)
{
    const korvan::IndexedImage& buffer = *content.Buffer;
    lastPut_.clear();
    lastConverted_ = 0;
    if (shown_.size() != buffer.Pixels.size()) {
        lastPut_.push_back(widget_.rect());
        widget_.repaint();
        return true;
    }
    const QRect area = widget_.visibleRegion().boundingRect() & QRect(0, 0, buffer.Width, buffer.Height);
    const std::vector<QRect> tiles = ChangedTiles(shown_.data(), buffer.Pixels.data(), buffer.Width, area);
    if (tiles.empty())
        return true;
    // The rows that hold them, whole: Qt's backing store puts each rectangle of a region with a
    // request of its own, and the X server copies whole rows of it straight, narrower ones through
    // a pixmap.
    const QRect rows(area.left(), tiles.front().top(), area.width(), tiles.back().bottom() - tiles.front().top() + 1);
    lastPut_.push_back(rows);
    widget_.repaint(rows);
    return true;
}

bool QtPresenter::Paint(const QRegion& region, const Content& content)
{
    QPainter painter(&widget_);
    if (content.HasFrame())
        PaintFrame(painter, region, content);
    else
        PaintPicture(painter, widget_.rect(), content);
    return true;
}

void QtPresenter::PaintFrame(QPainter& painter, const QRegion& region, const Content& content)
{
    const korvan::IndexedImage& buffer = *content.Buffer;
    const QRect bufferRect(0, 0, buffer.Width, buffer.Height);
    if (frame_.size() != bufferRect.size())
        frame_ = QImage(bufferRect.size(), QImage::Format_RGB32);
    const bool known = shown_.size() == buffer.Pixels.size();
    for (const QRect& rect : region) {
        // Only the rows the window shows: the view hides the buffer's last rows.
        const QRect part = rect & bufferRect;
        if (part.isEmpty())
            continue;
        QPoint at;
        if (QImage* target = DirectTarget(painter, part, at)) {
            ConvertRows(buffer, *content.Colours, part, *target, at);
        } else {
            ConvertRows(buffer, *content.Colours, part, frame_, QPoint());
            painter.drawImage(part.topLeft(), frame_, part);
        }
        lastConverted_ += std::size_t(part.width()) * std::size_t(part.height());
        for (int y = part.top(); known && y <= part.bottom(); ++y) {
            const std::size_t offset = std::size_t(y) * std::size_t(buffer.Width) + std::size_t(part.left());
            std::memcpy(shown_.data() + offset, buffer.Pixels.data() + offset, std::size_t(part.width()));
        }
    }
    // What the screen shows is known once all of the visible widget was painted from the buffer.
    if (!known && (widget_.visibleRegion() - region).isEmpty())
        shown_ = buffer.Pixels;
    for (const QRect& r : region - bufferRect)
        painter.fillRect(r, Qt::black);
}
