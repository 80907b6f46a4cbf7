// Frames put into an X window from pictures shared with the X server, used in turn. An idle
// view's frames come back every 1, 2, 3 or 6 ticks (the water's cycle). A frame the frame cache
// names is kept in its picture with the tiles it changes on screen: when it comes back, it is put
// again as it is, with nothing compared or converted. Any other frame goes to the picture of its
// turn, where only what differs from the picture's older frame is converted, and only the tiles
// that differ from the screen are sent.
#pragma once

#include "FrameChanges.h"
#include "render/IndexedImage.h"
#include "PaletteConverter.h"

#include <QImage>
#include <QRegion>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class X11Presenter;

class SharedFrames {
public:
    static constexpr int Pictures = 6;

    explicit SharedFrames(std::unique_ptr<X11Presenter> presenter);
    ~SharedFrames();
    SharedFrames(const SharedFrames&) = delete;
    SharedFrames& operator=(const SharedFrames&) = delete;

    // The window the frames go to; false if it cannot take them.
    bool Attach(std::uint32_t window);

    // What any picture holds no longer counts (a new buffer, palette or window size): the next
    // frame is converted and put whole.
    void Forget();

    // Puts the buffer's frame, converted through `colours`, into a window `size` large whose
    // rows `visible` show: the tiles that differ from the screen, nothing if none do. `frame` is
    // the frame cache's name for the buffer's pixels (equal names, equal pixels), or 0. False if
    // no picture could be shared (the caller paints another way from then on).
    bool Present(const korvan::IndexedImage& buffer, const korvan::PaletteConverter& colours, QSize size,
                 const QRect& visible, std::uint64_t frame = 0);

    // Puts `region` of the window again from the buffer, as an exposure asks; black outside it.
    bool Expose(const korvan::IndexedImage& buffer, const korvan::PaletteConverter& colours, QSize size,
                const QRegion& region);

    // Puts `region` of a picture that is not a frame (the intro's), black around it.
    bool ShowPicture(const QImage& picture, QSize size, const QRegion& region);

    // The parts of the window the last put sent, and how many pixels it converted to do so.
    const std::vector<QRect>& LastPut() const { return lastPut_; }
    std::size_t LastConverted() const { return lastConverted_; }

    // Returns once the server has drawn everything put.
    void WaitUntilShown();

private:
    // A shared picture and the indexed pixels it was converted from; `Holds` is false until it
    // was converted whole with the current colours. `Frame` names the frame it holds (0: none the
    // cache named); put over frame `After` in `Area`, it changes `Tiles`.
    struct Held {
        std::vector<std::uint8_t> Pixels;
        bool Holds = false;
        std::uint64_t Frame = 0;
        std::uint64_t After = 0;
        QRect Area;
        std::vector<QRect> Tiles;
    };

    int Holding(std::uint64_t frame) const;
    std::vector<QRect> Changes(const korvan::IndexedImage& buffer, const QRect& area) const;

    // Every put starts here: nothing put or converted yet, and nothing held if the size changed.
    void Begin(QSize size);
    QImage* Refresh(int index, const korvan::IndexedImage& buffer, const korvan::PaletteConverter& colours,
                    QSize size, const QRect& rows);
    // `kept`: the picture holds a named frame, likely put again as it is rather than drawn into.
    void Put(int index, std::vector<QRect> parts, bool kept = false);

    std::unique_ptr<X11Presenter> presenter_;
    std::array<Held, Pictures> held_;
    std::uint64_t ticks_ = 0;                      // frames presented
    std::array<std::uint64_t, Pictures> used_{};  // the frame each picture was last put for
    int onScreen_ = -1;  // the picture the whole screen was last put from, -1 for none
    std::vector<QRect> lastPut_;
    std::size_t lastConverted_ = 0;
};
