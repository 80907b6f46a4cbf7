#include "TImage.h"

#include <QMouseEvent>
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
    colorTable_.clear();
    if (buffer != nullptr)
        for (std::uint32_t colour : buffer->Palette)
            colorTable_.append(colour | 0xFF000000u);
}

void TImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (backBuffer_ != nullptr && !backBuffer_->Empty()) {
        // Wraps the buffer's bytes without copying them; the palette is the buffer's own.
        QImage frame(backBuffer_->Pixels.data(), backBuffer_->Width, backBuffer_->Height, backBuffer_->Width,
                     QImage::Format_Indexed8);
        frame.setColorTable(colorTable_);
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(0, 0, frame);
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
