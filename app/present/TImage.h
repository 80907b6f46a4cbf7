// Image1: shows the intro picture, then the back buffer with its palette, unscaled from its
// top-left corner; reports pointer moves and button presses to its owner. How the frames reach
// the screen is its presenter's business (Presenter.h).
#pragma once

#include "Presenter.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    void SetPicture(const QImage& picture);  // the intro picture
    // How bright the picture shows, 0 (black) to 255 (as it is): the intro fades in this way where
    // the window cannot be faded.
    void SetPictureLevel(int level);
    void SetBackBuffer(const korvan::IndexedImage* buffer);  // from now on shows this buffer
    const korvan::IndexedImage* BackBuffer() const { return backBuffer_; }

    // Puts the back buffer on screen at once, as a frame tick ends: only the parts that differ
    // from what the window shows; an unchanged frame puts nothing. `frame`: the frame cache's
    // name for the buffer's pixels, or 0 (see FrameCache::Frame).
    void Present(std::uint64_t frame = 0);

    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton button, int x, int y)> OnMouseDown;

    // Whether frames go to the X server from shared memory, past Qt's painting (else Qt paints).
    bool PresentsDirectly() const { return presenter_->PaintsItsWindow(); }
    Presenter& CurrentPresenter() { return *presenter_; }

    QPaintEngine* paintEngine() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Content Shown(std::uint64_t frame = 0);
    void FallBackToQt();

    QImage picture_;
    int pictureLevel_ = 255;
    const korvan::IndexedImage* backBuffer_ = nullptr;
    std::array<std::uint32_t, 256> palette_{};  // the buffer's palette the converter was made from
    bool coloursMade_ = false;                    // the converter was made for this buffer
    korvan::PaletteConverter colours_;
    std::unique_ptr<Presenter> presenter_;
};
