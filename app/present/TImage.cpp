// Image1: the intro picture or the back buffer put on screen, and the pointer reported to its owner.
#include "TImage.h"

#include "QtPresenter.h"
#include "ShmPresenter.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>

TImage::TImage(QWidget* parent) : QWidget(parent), presenter_(ShmPresenter::Open(*this))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    if (presenter_) {
        // A window of its own, painted by nobody but the presenter: Qt keeps no copy of it.
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
    } else {
        presenter_ = std::make_unique<QtPresenter>(*this);
    }
}

TImage::~TImage() = default;

QPaintEngine* TImage::paintEngine() const
{
    return presenter_->PaintsItsWindow() ? nullptr : QWidget::paintEngine();
}

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
    coloursMade_ = false;
    presenter_->Forget();
}

// What to show, with the converter made again for a new buffer or palette (then nothing on
// screen counts).
Content TImage::Shown(std::uint64_t frame)
{
    if (backBuffer_ != nullptr && (!coloursMade_ || palette_ != backBuffer_->Palette)) {
        coloursMade_ = true;
        palette_ = backBuffer_->Palette;
        std::array<std::uint32_t, 256> colours;
        for (std::size_t k = 0; k < colours.size(); ++k)
            colours[k] = palette_[k] | 0xFF000000u;
        colours_.SetColours(colours);
        presenter_->Forget();
    }
    return Content{backBuffer_, &colours_, frame, &picture_, pictureLevel_};
}

void TImage::Present(std::uint64_t frame)
{
    const Content content = Shown(frame);
    if (!content.HasFrame()) {
        repaint();
    } else if (!presenter_->Present(content)) {
        FallBackToQt();
        presenter_->Present(content);
    }
}

void TImage::FallBackToQt()
{
    presenter_ = std::make_unique<QtPresenter>(*this);
    setAttribute(Qt::WA_PaintOnScreen, false);
    update();
}

void TImage::paintEvent(QPaintEvent* event)
{
    if (!presenter_->Paint(event->region(), Shown()))
        FallBackToQt();
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
