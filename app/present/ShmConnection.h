// A connection of the program's own to the X server its windows are on, and pictures in memory
// shared with the server that it puts into one window: no repaint machinery, and no wait for the
// server on each frame.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <memory>
#include <vector>

struct xcb_connection_t;

class ShmConnection {
public:
    // A connection to the X display Qt shows its windows on, or nullptr where the pictures cannot
    // be shared with it: not an X display (the offscreen platform, Wayland), one reached through
    // the network, no MIT-SHM 1.2 (segments passed as file descriptors), a screen whose own visual
    // is not TrueColor with 32-bit pixels in the host's byte order, or KORVAN_PRESENT=qt.
    static std::unique_ptr<ShmConnection> Open();
    ~ShmConnection();
    ShmConnection(const ShmConnection&) = delete;
    ShmConnection& operator=(const ShmConnection&) = delete;

    // The window the pictures go to; false if its visual is not one they fit. A window the server
    // reports gone (BadWindow, BadDrawable) takes nothing more: attach the next.
    bool Attach(std::uint32_t window);

    // Whether nothing can be put any more: the connection broke, or the server reported an error
    // other than a window gone (said once on standard error).
    bool Failed() const;

    // Shared picture `index` (from 0), `size` large, to draw into: it holds what was drawn into
    // it before, unless the size changed (then every picture is black). Waits until the server
    // has read the last put from it. nullptr when it cannot be shared, or Failed().
    QImage* Picture(QSize size, int index);
    QSize PictureSize() const { return size_; }

    // Puts these parts of picture `index` at the same places of the window, and sends them at
    // once. Parts may overlap; many small ones cost the server little more than their pixels.
    // With `notify`, the server says when it has read them, which a picture soon drawn into again
    // needs; a picture put again as it is goes without, and drawing into it later asks the server
    // (a round trip) unless a later put said so.
    void Put(const std::vector<QRect>& parts, int index, bool notify = true);

    // Returns once the server has drawn every put into the window (or the connection broke).
    void WaitForServer();

    // The server's name for picture `index`'s segment, 0 for none (tests free it behind our back).
    std::uint32_t SegmentName(int index) const;

private:
    // A picture in memory shared with the server, and the request number of the last put from it.
    struct Segment {
        std::uint32_t Id = 0;
        void* Memory = nullptr;
        std::size_t Bytes = 0;
        QImage Picture;
        std::uint32_t LastPut = 0;
    };

    ShmConnection() = default;
    bool MakeSegment(Segment& segment);
    void DropSegments();
    // Reads the server's answers until it has carried out request `sequence` (or the connection broke).
    void WaitFor(std::uint32_t sequence);
    // One event or error from the server (an xcb_generic_event_t, freed here): how far it got, and
    // what went wrong.
    void Take(void* event);

    xcb_connection_t* connection_ = nullptr;
    std::uint8_t depth_ = 0;
    std::uint32_t window_ = 0;  // 0: none, or gone
    std::uint32_t gc_ = 0;
    bool clipped_ = false;  // the context draws only inside the last parts put
    bool failed_ = false;   // the server reported an error other than a window gone
    QSize size_;
    std::vector<Segment> segments_;
    // The last put's request number, the last one that asked for its completion, and the last
    // request the server is known to have carried out: a completion, an error or a reply says so.
    std::uint32_t lastPut_ = 0;
    std::uint32_t notified_ = 0;
    std::uint32_t done_ = 0;
};
