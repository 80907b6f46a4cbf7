// Image1: shows the intro picture, then the back buffer with its palette, unscaled from its
// top-left corner; reports pointer moves and button presses to its owner.
#pragma once

#include "render/IndexedImage.h"
#include "PaletteConverter.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class SharedFrames;

class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    void SetPicture(const QImage& picture);              // the intro picture
    // How bright the picture shows, 0 (black) to 255 (as it is): the intro fades in this way where
    // the window cannot be faded. Not applied where frames go to the X server directly.
    void SetPictureLevel(int level);
    void SetBackBuffer(const korvan::IndexedImage* buffer);  // from now on shows this buffer
    const korvan::IndexedImage* BackBuffer() const { return backBuffer_; }

    // Puts the back buffer on screen at once, as a frame tick ends: only the rows that differ
    // from what the window last showed are repainted; an unchanged frame repaints nothing.
    // `frame`: the frame cache's name for the buffer's pixels, or 0 (see FrameCache::Frame).
    void Present(std::uint64_t frame = 0);

    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton button, int x, int y)> OnMouseDown;

    // Whether frames go to the X server from shared memory, past Qt's painting (else Qt paints).
    bool PresentsDirectly() const { return shared_ != nullptr; }
    // When it does: the parts of the window the last Present put, how many pixels it converted
    // to do so, and a wait until the server has drawn them (a screenshot taken after it shows them).
    const std::vector<QRect>& LastPut() const;
    std::size_t LastConverted() const;
    void WaitUntilShown();

    QPaintEngine* paintEngine() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ConvertRows(const QRect& rows, QImage& target, QPoint at) const;
    QImage* DirectTarget(QPainter& painter, const QRect& shown, QPoint& at) const;
    void PaintBackBuffer(QPainter& painter, const QRegion& region);
    void UpdatePalette();
    bool AttachShared();
    void PutShared(const QRegion& region);
    void StopPresentingDirectly();

    QImage picture_;
    int pictureLevel_ = 255;
    const korvan::IndexedImage* backBuffer_ = nullptr;
    // The frame in the window's own format, kept from frame to frame: each paint converts only
    // the rows it shows, through a table of the buffer's 256 colours, and allocates nothing.
    QImage frame_;
    std::array<std::uint32_t, 256> palette_{};  // the buffer's palette the table was made from
    bool coloursMade_ = false;                    // the table was made for this buffer
    korvan::PaletteConverter colours_;
    // Where Qt paints: what the window shows, the buffer's pixels as last put on screen, and
    // whether all of its visible part was painted from them with the current palette (else the
    // next frame is painted whole). Paints that Qt asks for by itself (exposure) paint the
    // current buffer, which between ticks is what shown_ holds.
    std::vector<std::uint8_t> shown_;
    bool shownWhole_ = false;
    bool paintingWhole_ = false;
    // Set where the X server shares memory with us: the widget is then a window of its own whose
    // frames this puts there itself, and Qt paints nothing of it.
    std::unique_ptr<SharedFrames> shared_;
};
