// Image1: the intro picture or the back buffer put on screen, and the pointer reported to its owner.
#include "TImage.h"

#include "FrameChanges.h"
#include "X11Presenter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

TImage::TImage(QWidget* parent) : QWidget(parent), presenter_(X11Presenter::Open())
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    if (presenter_) {
        // A window of its own, painted by nobody but this widget: Qt keeps no copy of it.
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
    }
}

TImage::~TImage() = default;

QPaintEngine* TImage::paintEngine() const { return presenter_ ? nullptr : QWidget::paintEngine(); }

void TImage::SetPicture(const QImage& picture)
{
    picture_ = picture;
    backBuffer_ = nullptr;
}

void TImage::SetBackBuffer(const korvan::IndexedImage* buffer)
{
    backBuffer_ = buffer;
    picture_ = QImage();
    frame_ = QImage();
    shown_.clear();
    shownWhole_ = false;
}

void TImage::ConvertRows(const QRect& rows, QImage& target, QPoint at) const
{
    // bits() once: scanLine() on a non-const image checks for sharing on every row.
    std::uint8_t* const bits = target.bits();
    const qsizetype bytesPerLine = target.bytesPerLine();
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        const std::uint8_t* source =
            backBuffer_->Pixels.data() + std::size_t(y) * std::size_t(backBuffer_->Width) + std::size_t(rows.left());
        auto* line = reinterpret_cast<QRgb*>(bits + (y + at.y()) * bytesPerLine) + rows.left() + at.x();
        colours_.Convert(source, line, std::size_t(rows.width()));
    }
}

// The window's own backing store, when the painter draws straight into it: a 32-bit picture,
// no scaling, and nothing but the widget's rectangle to respect. Then the frame is converted
// into it at once, without a second copy.
QImage* TImage::DirectTarget(QPainter& painter, const QRect& shown, QPoint& at) const
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
    const QRect target = shown.translated(at);
    const QRegion clip = engine->systemClip();
    if (!image->rect().contains(target) || (!clip.isEmpty() && !(QRegion(target) - clip).isEmpty()))
        return nullptr;
    return image;
}

void TImage::Present()
{
    if (backBuffer_ == nullptr || backBuffer_->Empty()) {
        repaint();
        return;
    }
    if (presenter_ && presenter_->PictureSize() != size())
        shownWhole_ = false;  // a new shared picture: it holds nothing yet
    if (!shownWhole_ || palette_ != backBuffer_->Palette || shown_.size() != backBuffer_->Pixels.size()) {
        shown_ = backBuffer_->Pixels;
        paintingWhole_ = true;
        if (presenter_)
            PutShared(visibleRegion());
        else
            repaint();
        paintingWhole_ = false;
        return;
    }
    if (presenter_) {
        PutChanges();
        return;
    }
    const QRect area = visibleRegion().boundingRect() & QRect(0, 0, backBuffer_->Width, backBuffer_->Height);
    if (area.isEmpty())
        return;
    const QRect changed = TakeChanges(shown_.data(), backBuffer_->Pixels.data(), backBuffer_->Width, area);
    // Whole rows of the view: the X server copies a put of whole rows of the shared image at
    // once, but goes through a temporary pixmap and a copy for any narrower one, which cost it
    // more than the extra columns.
    if (!changed.isEmpty())
        repaint(QRect(area.left(), changed.top(), area.width(), changed.height()));
}

void TImage::UpdatePalette()
{
    const QRect bufferRect(0, 0, backBuffer_->Width, backBuffer_->Height);
    if (frame_.size() != bufferRect.size()) {
        frame_ = QImage(bufferRect.size(), QImage::Format_RGB32);
        palette_ = backBuffer_->Palette;
        palette_[0] = ~palette_[0];  // forces the table below to be made
    }
    if (palette_ != backBuffer_->Palette) {
        palette_ = backBuffer_->Palette;
        std::array<std::uint32_t, 256> colours;
        for (std::size_t k = 0; k < colours.size(); ++k)
            colours[k] = palette_[k] | 0xFF000000u;
        colours_.SetColours(colours);
        shownWhole_ = false;
    }
}

void TImage::PaintBackBuffer(QPainter& painter, const QRegion& region)
{
    UpdatePalette();
    const QRect bufferRect(0, 0, backBuffer_->Width, backBuffer_->Height);
    for (const QRect& rect : region) {
        // Only the rows the window shows: the view hides the buffer's last rows.
        const QRect part = rect & bufferRect;
        if (part.isEmpty())
            continue;
        QPoint at;
        if (QImage* target = DirectTarget(painter, part, at)) {
            ConvertRows(part, *target, at);
        } else {
            ConvertRows(part, frame_, QPoint());
            painter.drawImage(part.topLeft(), frame_, part);
        }
    }
    // Present() compares later frames with shown_ only once the whole visible image came from it.
    if (paintingWhole_ && (visibleRegion() - region).isEmpty())
        shownWhole_ = true;
    if (!bufferRect.contains(region.boundingRect()))
        for (const QRect& r : region - bufferRect)
            painter.fillRect(r, Qt::black);
}

QImage* TImage::SharedPicture()
{
    if (presenter_->Attach(std::uint32_t(winId())))
        if (QImage* picture = presenter_->Picture(size()))
            return picture;
    StopPresentingDirectly();
    return nullptr;
}

void TImage::StopPresentingDirectly()
{
    presenter_.reset();
    setAttribute(Qt::WA_PaintOnScreen, false);
    shownWhole_ = false;
    update();
}

// The shared picture holds every pixel of the window as last put: only the pixels that changed
// since are converted into it, and only the rows holding them are put.
void TImage::PutChanges()
{
    QImage* target = SharedPicture();
    if (target == nullptr)
        return;
    // Rows the parent hides (the view shows 462 of the buffer's 480) are put when they show.
    const QRect area =
        visibleRegion().boundingRect() & target->rect() & QRect(0, 0, backBuffer_->Width, backBuffer_->Height);
    std::uint8_t* const bits = target->bits();
    const qsizetype bytesPerLine = target->bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::size_t offset = std::size_t(y) * std::size_t(backBuffer_->Width) + std::size_t(area.left());
        auto* line = reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine) + area.left();
        const auto changes =
            colours_.ConvertChanged(backBuffer_->Pixels.data() + offset, shown_.data() + offset, line, std::size_t(area.width()));
        if (changes.Any())
            rows_.Add(y);
    }
    lastPut_ = rows_.Take(area.left(), area.width());
    if (!lastPut_.empty())
        presenter_->Put(lastPut_);
}

void TImage::WaitUntilShown()
{
    if (presenter_)
        presenter_->WaitForServer();
}

// Draws the region into the shared picture from the buffer (or the intro picture) and puts it.
void TImage::PutShared(const QRegion& region)
{
    QImage* target = SharedPicture();
    if (target == nullptr)
        return;
    const QRegion inside = region & target->rect();
    if (backBuffer_ != nullptr && !backBuffer_->Empty()) {
        UpdatePalette();
        const QRect bufferRect(0, 0, backBuffer_->Width, backBuffer_->Height);
        const bool tracked = shown_.size() == backBuffer_->Pixels.size();
        for (const QRect& rect : inside)
            if (const QRect part = rect & bufferRect; !part.isEmpty()) {
                ConvertRows(part, *target, QPoint());
                // What was converted is what the picture holds from now on.
                for (int y = part.top(); tracked && y <= part.bottom(); ++y) {
                    const std::size_t offset = std::size_t(y) * std::size_t(backBuffer_->Width) + std::size_t(part.left());
                    std::copy_n(backBuffer_->Pixels.data() + offset, part.width(), shown_.data() + offset);
                }
            }
        if (paintingWhole_)
            shownWhole_ = true;
        if (const QRegion outside = inside - bufferRect; !outside.isEmpty()) {
            QPainter painter(target);
            for (const QRect& r : outside)
                painter.fillRect(r, Qt::black);
        }
    } else {
        QPainter painter(target);
        painter.setClipRegion(inside);
        painter.fillRect(target->rect(), Qt::black);
        if (!picture_.isNull())
            painter.drawImage(0, 0, picture_);
    }
    lastPut_.assign(inside.begin(), inside.end());
    presenter_->Put(lastPut_);
}

void TImage::paintEvent(QPaintEvent* event)
{
    if (presenter_) {
        PutShared(event->region());
        return;
    }
    QPainter painter(this);
    if (backBuffer_ != nullptr && !backBuffer_->Empty()) {
        PaintBackBuffer(painter, event->region());
        return;
    }
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
}

void TImage::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TImage::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(event->button(), event->position().toPoint().x(), event->position().toPoint().y());
}
