// Frames put straight into an X window from memory shared with the X server, on a connection of
// the presenter's own: no repaint machinery, and no wait for the server on each frame.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <memory>
#include <vector>

struct xcb_connection_t;

class X11Presenter {
public:
    // A presenter on the X display Qt shows its windows on, or nullptr where there is none that
    // shares memory with this process in 32-bit xRGB pixels at one device pixel per pixel
    // (the offscreen platform, Wayland, a remote or unusual display): the caller paints through
    // Qt then.
    static std::unique_ptr<X11Presenter> Open();
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // The window the pictures go to; false if it cannot take them (another depth than the screen's).
    bool Attach(std::uint32_t window);

    // Shared picture `index` (from 0), `size` large, to draw into: it holds what was drawn into
    // it before, unless the size changed (then every picture is black). Waits until the server
    // has read the last put from it. nullptr when no segment of that size can be shared.
    QImage* Picture(QSize size, int index = 0);
    QSize PictureSize() const { return size_; }

    // Puts these parts of picture `index` at the same places of the window, and sends them at once.
    // Parts may overlap; many small ones cost the server little more than their pixels. With
    // `notify`, the server says when it has read them, which a picture soon drawn into again
    // needs; without, drawing into it asks the server (a round trip), which one kept as it is
    // never does.
    void Put(const std::vector<QRect>& parts, int index = 0, bool notify = true);

    // Returns once the server has drawn every put into the window.
    void WaitForServer();

private:
    // A picture in memory shared with the server, and the request number of the last put from it.
    struct Segment {
        std::uint32_t Id = 0;
        void* Memory = nullptr;
        std::size_t Bytes = 0;
        QImage Picture;
        std::uint32_t LastPut = 0;
    };

    X11Presenter() = default;
    bool MakeSegment(Segment& segment);
    void DropSegments();
    // Takes the events the connection has already read.
    void Drain();
    // Reads the server's answers until it has carried out request `sequence` (or the connection broke).
    void WaitFor(std::uint32_t sequence);

    xcb_connection_t* connection_ = nullptr;
    std::uint8_t depth_ = 0;
    std::uint32_t window_ = 0;
    std::uint32_t gc_ = 0;
    bool clipped_ = false;  // the context draws only inside the last parts put
    QSize size_;
    std::vector<Segment> segments_;
    // The last put's request number, the last one that asked for its completion event, and the
    // last request the server is known to have carried out: such an event, an error for a put,
    // or a reply says so.
    std::uint32_t lastPut_ = 0;
    std::uint32_t notified_ = 0;
    std::uint32_t done_ = 0;
};
