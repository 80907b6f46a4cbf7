// The shared segment is a memfd handed to the server (MIT-SHM 1.2), attached read-only. A picture
// is written again only once the server has read the last put from it, so that it never reads a
// half-drawn frame: the put's completion event, an error about it, or an answer to any later
// request says so. The events arrive on this connection alone, which no one polls: they wake
// nobody and are collected as each frame is put, by then long there.
#include "ShmConnection.h"

#include <QGuiApplication>
#include <QtDebug>

#include <X11/Xlib.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Own(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// Pixels of this depth and visual are QImage::Format_RGB32 as this host stores it: 32 bits in the
// host's byte order, TrueColor, blue to red in the low three bytes.
bool TakesRgb32(const xcb_setup_t* setup, std::uint8_t depth, xcb_visualid_t visual)
{
    constexpr std::uint8_t hostOrder =
        std::endian::native == std::endian::little ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST;
    if (setup->image_byte_order != hostOrder || (depth != 24 && depth != 32))
        return false;
    bool wide = false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem > 0; xcb_format_next(&formats))
        if (formats.data->depth == depth)
            wide = formats.data->bits_per_pixel == 32;
    if (!wide)
        return false;
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem > 0; xcb_screen_next(&screens))
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem > 0; xcb_depth_next(&depths))
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0; xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == visual)
                    return depths.data->depth == depth && visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           visuals.data->red_mask == 0xFF0000u && visuals.data->green_mask == 0x00FF00u &&
                           visuals.data->blue_mask == 0x0000FFu;
    return false;
}

// Segments pass to the server as file descriptors, which only a local (Unix domain) socket carries.
bool Local(xcb_connection_t* connection)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    return getsockname(xcb_get_file_descriptor(connection), reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
           address.ss_family == AF_UNIX;
}

}  // namespace

std::unique_ptr<ShmConnection> ShmConnection::Open()
{
    // KORVAN_PRESENT=qt keeps Qt's own painting, to compare the two or to get round a display
    // that takes these puts badly.
    if (qGuiApp == nullptr || qEnvironmentVariable("KORVAN_PRESENT") == "qt")
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr)
        return nullptr;
    std::unique_ptr<ShmConnection> shm(new ShmConnection);
    int screenNumber = 0;
    shm->connection_ = xcb_connect(XDisplayString(x11->display()), &screenNumber);
    xcb_connection_t* connection = shm->connection_;
    if (xcb_connection_has_error(connection) || !Local(connection))
        return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    auto screen = xcb_setup_roots_iterator(setup);
    for (; screen.rem > 0 && screenNumber > 0; --screenNumber)
        xcb_screen_next(&screen);
    if (screen.rem == 0 || !TakesRgb32(setup, screen.data->root_depth, screen.data->root_visual))
        return nullptr;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (extension == nullptr || !extension->present)
        return nullptr;
    const auto version = Own(xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr));
    if (!version || version->major_version < 1 || (version->major_version == 1 && version->minor_version < 2))
        return nullptr;
    return shm;
}

ShmConnection::~ShmConnection()
{
    if (connection_ == nullptr)
        return;
    if (!xcb_connection_has_error(connection_)) {
        DropSegments();
        if (gc_ != 0)
            xcb_free_gc(connection_, gc_);
    }
    for (Segment& segment : segments_)
        if (segment.Memory != nullptr)
            munmap(segment.Memory, segment.Bytes);
    xcb_disconnect(connection_);
}

bool ShmConnection::Attach(std::uint32_t window)
{
    if (window == window_)
        return true;
    const auto geometry = Own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    const auto attributes =
        Own(xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr));
    if (!geometry || !attributes || !TakesRgb32(xcb_get_setup(connection_), geometry->depth, attributes->visual))
        return false;
    if (gc_ != 0)
        xcb_free_gc(connection_, gc_);
    gc_ = xcb_generate_id(connection_);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection_, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    clipped_ = false;
    window_ = window;
    depth_ = geometry->depth;
    return true;
}

bool ShmConnection::Failed() const { return failed_ || xcb_connection_has_error(connection_) != 0; }

bool ShmConnection::MakeSegment(Segment& segment)
{
    const std::size_t bytes = std::size_t(size_.width()) * std::size_t(size_.height()) * 4;
    const int fd = memfd_create("korvan-frame", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    void* memory = ftruncate(fd, off_t(bytes)) == 0 ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                                                      : MAP_FAILED;
    if (memory == MAP_FAILED) {
        close(fd);
        return false;
    }
    const std::uint32_t id = xcb_generate_id(connection_);
    // The connection takes the descriptor and closes it once sent.
    if (const auto error = Own(xcb_request_check(connection_, xcb_shm_attach_fd_checked(connection_, id, fd, 1)))) {
        munmap(memory, bytes);
        return false;
    }
    segment.Id = id;
    segment.Memory = memory;
    segment.Bytes = bytes;
    segment.Picture =
        QImage(static_cast<uchar*>(memory), size_.width(), size_.height(), size_.width() * 4, QImage::Format_RGB32);
    segment.LastPut = done_;
    return true;
}

void ShmConnection::DropSegments()
{
    WaitForServer();
    for (Segment& segment : segments_) {
        if (segment.Id == 0)
            continue;
        xcb_shm_detach(connection_, segment.Id);
        segment.Picture = QImage();
        munmap(segment.Memory, segment.Bytes);
        segment = Segment();
    }
    xcb_flush(connection_);
    segments_.clear();
}

std::uint32_t ShmConnection::SegmentName(int index) const
{
    return index >= 0 && std::size_t(index) < segments_.size() ? segments_[std::size_t(index)].Id : 0;
}

void ShmConnection::WaitForServer() { WaitFor(lastPut_); }

void ShmConnection::WaitFor(std::uint32_t sequence)
{
    // Requests are carried out in order: an event or error about a put, or about any later
    // request, means the server has read every put up to it. A put that failed answers with an
    // error instead of its completion.
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_))
        Take(event);
    if (std::int32_t(done_ - sequence) >= 0)
        return;
    if (std::int32_t(notified_ - sequence) < 0) {
        // No event will come for it: ask the server anything, and once it answers it read the put.
        const auto cookie = xcb_get_input_focus(connection_);
        std::free(xcb_get_input_focus_reply(connection_, cookie, nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_))
            Take(event);  // errors about the puts before it
        done_ = xcb_connection_has_error(connection_) ? lastPut_ : cookie.sequence;
        return;
    }
    while (std::int32_t(done_ - sequence) < 0) {
        xcb_generic_event_t* event = xcb_wait_for_event(connection_);
        if (event == nullptr) {  // the connection broke: nothing will come
            done_ = lastPut_;
            break;
        }
        Take(event);
    }
}

void ShmConnection::Take(void* received)
{
    auto* event = static_cast<xcb_generic_event_t*>(received);
    if (std::int32_t(event->full_sequence - done_) > 0)
        done_ = event->full_sequence;
    if (event->response_type == 0) {
        const auto* error = reinterpret_cast<const xcb_generic_error_t*>(event);
        if (error->error_code == XCB_WINDOW || error->error_code == XCB_DRAWABLE) {
            if (error->resource_id == window_)
                window_ = 0;  // gone: nothing more goes to it
        } else if (!failed_) {
            failed_ = true;
            qWarning("Project_KORVAN: the X server refused a frame (error %d, request %d.%d); Qt paints the view from "
                     "now on",
                     error->error_code, error->major_code, error->minor_code);
        }
    }
    std::free(event);
}

QImage* ShmConnection::Picture(QSize size, int index)
{
    if (Failed() || size.isEmpty() || index < 0)
        return nullptr;
    if (size != size_) {
        DropSegments();
        size_ = size;
    }
    if (std::size_t(index) >= segments_.size())
        segments_.resize(std::size_t(index) + 1);
    Segment& segment = segments_[std::size_t(index)];
    if (segment.Id == 0 && !MakeSegment(segment))
        return nullptr;
    WaitFor(segment.LastPut);
    return failed_ ? nullptr : &segment.Picture;
}

void ShmConnection::Put(const std::vector<QRect>& parts, int index, bool notify)
{
    if (index < 0 || std::size_t(index) >= segments_.size() || segments_[std::size_t(index)].Id == 0 ||
        window_ == 0 || Failed())
        return;
    Segment& segment = segments_[std::size_t(index)];
    const QRect whole(QPoint(), size_);
    std::vector<xcb_rectangle_t> clip;
    int top = whole.height(), bottom = -1;
    for (const QRect& part : parts)
        if (const QRect inside = part & whole; !inside.isEmpty()) {
            clip.push_back({std::int16_t(inside.x()), std::int16_t(inside.y()), std::uint16_t(inside.width()),
                            std::uint16_t(inside.height())});
            top = std::min(top, inside.top());
            bottom = std::max(bottom, inside.bottom());
        }
    if (clip.empty())
        return;
    // One put of whole rows, which the server copies straight from the segment, drawn only inside
    // the parts: a narrower put would go through a pixmap and a copy, and each put is a request.
    if (clip.size() > 1 || clip[0].x != 0 || clip[0].width != whole.width()) {
        xcb_set_clip_rectangles(connection_, XCB_CLIP_ORDERING_UNSORTED, gc_, 0, 0, std::uint32_t(clip.size()),
                                clip.data());
        clipped_ = true;
    } else if (clipped_) {
        const std::uint32_t none = XCB_NONE;
        xcb_change_gc(connection_, gc_, XCB_GC_CLIP_MASK, &none);
        clipped_ = false;
    }
    lastPut_ = xcb_shm_put_image(connection_, window_, gc_, std::uint16_t(whole.width()), std::uint16_t(whole.height()),
                                 0, std::uint16_t(top), std::uint16_t(whole.width()), std::uint16_t(bottom - top + 1), 0,
                                 std::int16_t(top), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, notify ? 1 : 0, segment.Id,
                                 0)
                   .sequence;
    segment.LastPut = lastPut_;
    if (notify)
        notified_ = lastPut_;
    xcb_flush(connection_);
    // What the server said meanwhile (earlier completions, errors), so that nothing piles up and a
    // refused put is known by the next frame.
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
        Take(event);
}
