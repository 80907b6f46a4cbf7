// Image1: shows the intro picture, then the back buffer with its palette, unscaled from its
// top-left corner; reports pointer moves and button presses to its owner.
#pragma once

#include "render/IndexedImage.h"

#include <QImage>
#include <QVector>
#include <QWidget>

#include <functional>

class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);              // the intro picture
    void SetBackBuffer(const korvan::IndexedImage* buffer);  // from now on shows this buffer
    const korvan::IndexedImage* BackBuffer() const { return backBuffer_; }

    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton button, int x, int y)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    const korvan::IndexedImage* backBuffer_ = nullptr;
    QList<QRgb> colorTable_;
};
