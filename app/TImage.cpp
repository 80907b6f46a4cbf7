// Image1: the intro picture or the back buffer put on screen, and the pointer reported to its owner.
#include "TImage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

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
}

void TImage::ConvertRows(int first, int last)
{
    const int width = backBuffer_->Width;
    for (int y = first; y <= last; ++y) {
        const std::uint8_t* source = backBuffer_->Pixels.data() + std::size_t(y) * std::size_t(width);
        auto* target = reinterpret_cast<QRgb*>(frame_.scanLine(y));
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            target[x] = colours_[source[x]];
            target[x + 1] = colours_[source[x + 1]];
            target[x + 2] = colours_[source[x + 2]];
            target[x + 3] = colours_[source[x + 3]];
        }
        for (; x < width; ++x)
            target[x] = colours_[source[x]];
    }
}

void TImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (backBuffer_ != nullptr && !backBuffer_->Empty()) {
        const QRect bufferRect(0, 0, backBuffer_->Width, backBuffer_->Height);
        if (frame_.size() != bufferRect.size()) {
            frame_ = QImage(bufferRect.size(), QImage::Format_RGB32);
            palette_ = backBuffer_->Palette;
            palette_[0] = ~palette_[0];  // forces the table below to be made
        }
        if (palette_ != backBuffer_->Palette) {
            palette_ = backBuffer_->Palette;
            for (std::size_t k = 0; k < colours_.size(); ++k)
                colours_[k] = palette_[k] | 0xFF000000u;
        }
        // Only the rows the window shows: the view hides the buffer's last rows.
        const QRect shown = event->rect() & bufferRect;
        if (!shown.isEmpty()) {
            ConvertRows(shown.top(), shown.bottom());
            painter.drawImage(shown.topLeft(), frame_, shown);
        }
        if (!bufferRect.contains(event->rect()))
            for (const QRect& r : QRegion(event->rect()) - bufferRect)
                painter.fillRect(r, Qt::black);
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
