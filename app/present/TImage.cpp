// Image1: the intro picture or the back buffer put on screen, and the pointer reported to its owner.
#include "TImage.h"

#include "FrameChanges.h"
#include "SharedFrames.h"
#include "X11Presenter.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    if (auto presenter = X11Presenter::Open())
        shared_ = std::make_unique<SharedFrames>(std::move(presenter));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    if (shared_) {
        // A window of its own, painted by nobody but this widget: Qt keeps no copy of it.
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
    }
}

TImage::~TImage() = default;

QPaintEngine* TImage::paintEngine() const { return shared_ ? nullptr : QWidget::paintEngine(); }

void TImage::SetPicture(const QImage& picture)
{
    picture_ = picture;
    backBuffer_ = nullptr;
}

void TImage::SetPictureLevel(int level)
{
    level = std::clamp(level, 0, 255);
    if (level == pictureLevel_)
        return;
    pictureLevel_ = level;
    if (backBuffer_ == nullptr)
        update();  // the intro ticks faster than frames are shown: one paint per shown frame
}

void TImage::SetBackBuffer(const korvan::IndexedImage* buffer)
{
    backBuffer_ = buffer;
    picture_ = QImage();
    frame_ = QImage();
    coloursMade_ = false;
    shown_.clear();
    shownWhole_ = false;
    if (shared_)
        shared_->Forget();
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

void TImage::Present(std::uint64_t frame)
{
    if (backBuffer_ == nullptr || backBuffer_->Empty()) {
        repaint();
        return;
    }
    if (shared_) {
        UpdatePalette();
        if (AttachShared() &&
            shared_->Present(*backBuffer_, colours_, size(), visibleRegion().boundingRect(), frame))
            return;
        StopPresentingDirectly();
        return;
    }
    if (!shownWhole_ || palette_ != backBuffer_->Palette || shown_.size() != backBuffer_->Pixels.size()) {
        shown_ = backBuffer_->Pixels;
        paintingWhole_ = true;
        repaint();
        paintingWhole_ = false;
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
    if (!coloursMade_ || palette_ != backBuffer_->Palette) {
        coloursMade_ = true;
        palette_ = backBuffer_->Palette;
        std::array<std::uint32_t, 256> colours;
        for (std::size_t k = 0; k < colours.size(); ++k)
            colours[k] = palette_[k] | 0xFF000000u;
        colours_.SetColours(colours);
        shownWhole_ = false;
        if (shared_)
            shared_->Forget();
    }
}

void TImage::PaintBackBuffer(QPainter& painter, const QRegion& region)
{
    UpdatePalette();
    const QRect bufferRect(0, 0, backBuffer_->Width, backBuffer_->Height);
    if (frame_.size() != bufferRect.size())
        frame_ = QImage(bufferRect.size(), QImage::Format_RGB32);
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

bool TImage::AttachShared() { return shared_->Attach(std::uint32_t(winId())); }

void TImage::StopPresentingDirectly()
{
    shared_.reset();
    setAttribute(Qt::WA_PaintOnScreen, false);
    shownWhole_ = false;
    update();
}

const std::vector<QRect>& TImage::LastPut() const
{
    static const std::vector<QRect> none;
    return shared_ ? shared_->LastPut() : none;
}

std::size_t TImage::LastConverted() const { return shared_ ? shared_->LastConverted() : 0; }

void TImage::WaitUntilShown()
{
    if (shared_)
        shared_->WaitUntilShown();
}

// An exposure: the region again from the buffer (or the intro picture).
void TImage::PutShared(const QRegion& region)
{
    bool put = false;
    if (AttachShared()) {
        if (backBuffer_ != nullptr && !backBuffer_->Empty()) {
            UpdatePalette();
            put = shared_->Expose(*backBuffer_, colours_, size(), region);
        } else {
            put = shared_->ShowPicture(picture_, size(), region);
        }
    }
    if (!put)
        StopPresentingDirectly();
}

void TImage::paintEvent(QPaintEvent* event)
{
    if (shared_) {
        PutShared(event->region());
        return;
    }
    QPainter painter(this);
    if (backBuffer_ != nullptr && !backBuffer_->Empty()) {
        PaintBackBuffer(painter, event->region());
        return;
    }
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull() && pictureLevel_ > 0) {
        painter.setOpacity(pictureLevel_ / 255.0);  // over black: the picture dimmed
        painter.drawImage(0, 0, picture_);
    }
}

// The pointer's place as it comes into the picture: a window shown under a still pointer learns
// it only from this on Wayland, where no move follows until the pointer moves.
void TImage::enterEvent(QEnterEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
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
