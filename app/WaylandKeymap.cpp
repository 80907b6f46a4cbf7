// A second connection to the compositor that holds a keyboard object only to receive the keymap
// (the compositor sends it to every keyboard object of the seat, focused or not). It never has a
// surface, so it never receives keys; what the compositor sends it is read when a key asks for
// the keymap, so it costs nothing in between.
#include "WaylandKeymap.h"

#include "WindowSystem.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {

class KeymapConnection {
public:
    KeymapConnection()
    {
        display_ = wl_display_connect(nullptr);
        if (display_ == nullptr)
            return;
        context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        registry_ = wl_display_get_registry(display_);
        wl_registry_add_listener(registry_, &registryListener, this);
        // The seat, then its capabilities and the keyboard, then the keymap.
        for (int i = 0; i < 3; ++i)
            wl_display_roundtrip(display_);
    }

    ~KeymapConnection()
    {
        if (keymap_ != nullptr)
            xkb_keymap_unref(keymap_);
        if (context_ != nullptr)
            xkb_context_unref(context_);
        if (display_ != nullptr)
            wl_display_disconnect(display_);
    }

    KeymapConnection(const KeymapConnection&) = delete;
    KeymapConnection& operator=(const KeymapConnection&) = delete;

    // Takes what the compositor has sent, without waiting: a keymap sent just before a key that Qt
    // already reports is in the socket by then.
    xkb_keymap* Keymap()
    {
        Pump();
        // A keyboard that came with a new device (the seat had none in between) is asked for only
        // now: its keymap, the one the key in hand was typed with, is one round trip away.
        if (awaitingKeymap_ && display_ != nullptr)
            wl_display_roundtrip(display_);
        return keyboard_ != nullptr ? keymap_ : nullptr;
    }

private:
    void Pump()
    {
        if (display_ == nullptr)
            return;
        while (wl_display_prepare_read(display_) != 0)
            wl_display_dispatch_pending(display_);
        wl_display_flush(display_);
        pollfd ready{wl_display_get_fd(display_), POLLIN, 0};
        if (poll(&ready, 1, 0) > 0)
            wl_display_read_events(display_);
        else
            wl_display_cancel_read(display_);
        wl_display_dispatch_pending(display_);
    }

    void TakeKeymap(std::uint32_t format, int fd, std::uint32_t size)
    {
        if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
            void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (text != MAP_FAILED) {
                xkb_keymap* keymap = xkb_keymap_new_from_buffer(context_, static_cast<const char*>(text),
                                                                strnlen(static_cast<const char*>(text), size),
                                                                XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
                munmap(text, size);
                if (keymap != nullptr) {
                    awaitingKeymap_ = false;
                    if (keymap_ != nullptr)
                        xkb_keymap_unref(keymap_);
                    keymap_ = keymap;
                }
            }
        }
        close(fd);
    }

    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
    {
        auto* self = static_cast<KeymapConnection*>(data);
        if (self->seat_ == nullptr && std::strcmp(interface, wl_seat_interface.name) == 0) {
            self->seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 5u)));
            wl_seat_add_listener(self->seat_, &seatListener, self);
        }
    }
    static void GlobalRemove(void*, wl_registry*, std::uint32_t) {}

    // A keyboard asked for while the seat has none would never get a keymap: ask once it has one.
    static void Capabilities(void* data, wl_seat* seat, std::uint32_t capabilities)
    {
        auto* self = static_cast<KeymapConnection*>(data);
        const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
        if (keyboard && self->keyboard_ == nullptr) {
            self->keyboard_ = wl_seat_get_keyboard(seat);
            self->awaitingKeymap_ = true;
            wl_keyboard_add_listener(self->keyboard_, &keyboardListener, self);
        } else if (!keyboard && self->keyboard_ != nullptr) {
            wl_keyboard_destroy(self->keyboard_);
            self->keyboard_ = nullptr;
        }
    }
    static void SeatName(void*, wl_seat*, const char*) {}

    static void KeymapEvent(void* data, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size)
    {
        static_cast<KeymapConnection*>(data)->TakeKeymap(format, fd, size);
    }
    static void Enter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
    static void Leave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
    static void Key(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
    static void Modifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
    static void RepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

    static constexpr wl_registry_listener registryListener{&Global, &GlobalRemove};
    static constexpr wl_seat_listener seatListener{&Capabilities, &SeatName};
    static constexpr wl_keyboard_listener keyboardListener{&KeymapEvent, &Enter, &Leave, &Key, &Modifiers, &RepeatInfo};

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    bool awaitingKeymap_ = false;
};

}  // namespace

xkb_keymap* CurrentWaylandKeymap()
{
    if (!OnWayland())
        return nullptr;
    static KeymapConnection connection;
    return connection.Keymap();
}
