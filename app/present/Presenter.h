// How the view's frames reach the screen. TImage chooses one way when it is made and keeps it: Qt
// paints the widget (QtPresenter), or, where the X server shares memory with the program, the
// program puts the frames into the widget's own window itself (ShmPresenter). Should the shared
// way fail, Qt paints from then on.
#pragma once

#include "PaletteConverter.h"
#include "render/IndexedImage.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <cstddef>
#include <cstdint>
#include <vector>

class QPainter;

// What the widget shows: the back buffer, its palette turned into `Colours`, and the frame cache's
// name for its pixels (equal names, equal pixels; 0: none); without a buffer, the intro picture at
// a brightness from 0 (black) to 255 (as it is), black around it.
struct Content {
    const korvan::IndexedImage* Buffer = nullptr;
    const korvan::PaletteConverter* Colours = nullptr;
    std::uint64_t Frame = 0;
    const QImage* Picture = nullptr;
    int PictureLevel = 255;
    bool HasFrame() const { return Buffer != nullptr && !Buffer->Empty(); }
};

// Paints `rect` of the intro picture as `content` says.
void PaintPicture(QPainter& painter, const QRect& rect, const Content& content);

class Presenter {
public:
    virtual ~Presenter() = default;

    // Whether the widget's window is left to this presenter (Qt paints none of it).
    virtual bool PaintsItsWindow() const = 0;

    // What the screen shows no longer counts (a new buffer or palette): the next frame goes whole.
    virtual void Forget() = 0;

    // Puts a frame of the buffer on screen as a frame tick ends: only what differs from the screen,
    // nothing when nothing does. False when this presenter cannot, now or from now on.
    virtual bool Present(const Content& content) = 0;

    // Shows `region` of the widget again, as an exposure asks. False as for Present.
    virtual bool Paint(const QRegion& region, const Content& content) = 0;

    // For tests and benchmarks: the parts of the widget the last Present sent (empty when nothing
    // changed), how many pixels it converted to do so, and a wait until the screen shows them.
    const std::vector<QRect>& LastPut() const { return lastPut_; }
    std::size_t LastConverted() const { return lastConverted_; }
    virtual void WaitUntilShown() {}

protected:
    std::vector<QRect> lastPut_;
    std::size_t lastConverted_ = 0;
};
