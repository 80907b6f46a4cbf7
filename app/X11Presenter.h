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

    // The shared picture, `size` large, to draw into: it holds what was drawn into it before,
    // unless its size changed (then it is black). Waits until the server has read the last put.
    // nullptr when no segment of that size can be shared with the server.
    QImage* Picture(QSize size);
    QSize PictureSize() const { return picture_.size(); }

    // Puts these parts of the picture at the same places of the window, and sends them at once.
    void Put(const std::vector<QRect>& parts);

    // Returns once the server has drawn every put into the window.
    void WaitForServer();

private:
    X11Presenter() = default;
    bool MakeSegment(QSize size);
    void DropSegment();

    xcb_connection_t* connection_ = nullptr;
    std::uint8_t depth_ = 0;
    std::uint32_t window_ = 0;
    std::uint32_t gc_ = 0;
    std::uint32_t segment_ = 0;
    void* memory_ = nullptr;
    std::size_t bytes_ = 0;
    QImage picture_;
    // The last put's request number, and whether the server may still be reading for it: until
    // its completion event, or an error for it, comes back.
    std::uint32_t lastPut_ = 0;
    bool waiting_ = false;
};
