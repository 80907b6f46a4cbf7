// Keys and pointer for the Wayland tests, through the compositor's virtual keyboard and virtual
// pointer (wlroots' protocols, which sway offers). The keyboard carries a real layout, compiled
// from the system's XKB data as a desktop compiles it, and presses physical keys: the program
// under test sees what it would see with that layout on a real keyboard.
//
//   korvan-virtual-input LAYOUT STEP...
//     key NAME          press and release a key: a digit 1..5, backslash (the key left of Enter on a
//                       US keyboard), grave (the key left of 1), return, escape, down, tab;
//                       shift+NAME holds Shift
//     move X Y          the pointer to (X, Y) of the screen (the first output, 1024 x 768)
//     click             the left button
//     wait MS           a pause
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {

// The two protocols' requests, as their XML describes them (no events are used).
extern const wl_interface keyboardInterface;
extern const wl_interface pointerInterface;
const wl_interface* createKeyboardTypes[] = {&wl_seat_interface, &keyboardInterface};
const wl_message keyboardManagerRequests[] = {{"create_virtual_keyboard", "on", createKeyboardTypes}};
const wl_interface keyboardManagerInterface = {"zwp_virtual_keyboard_manager_v1", 1, 1, keyboardManagerRequests, 0, nullptr};
const wl_interface* noTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_message keyboardRequests[] = {
    {"keymap", "uhu", noTypes}, {"key", "uuu", noTypes}, {"modifiers", "uuuu", noTypes}, {"destroy", "", noTypes}};
const wl_interface keyboardInterface = {"zwp_virtual_keyboard_v1", 1, 4, keyboardRequests, 0, nullptr};
const wl_interface* createPointerTypes[] = {&wl_seat_interface, &pointerInterface};
const wl_message pointerManagerRequests[] = {{"create_virtual_pointer", "?on", createPointerTypes}, {"destroy", "", noTypes}};
const wl_interface pointerManagerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 2, pointerManagerRequests, 0, nullptr};
const wl_message pointerRequests[] = {{"motion", "uff", noTypes},   {"motion_absolute", "uuuuu", noTypes},
                                      {"button", "uuu", noTypes},   {"axis", "uuf", noTypes},
                                      {"frame", "", noTypes},       {"axis_source", "u", noTypes},
                                      {"axis_stop", "uu", noTypes}, {"axis_discrete", "uufi", noTypes},
                                      {"destroy", "", noTypes}};
const wl_interface pointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, pointerRequests, 0, nullptr};

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* keyboards = nullptr;
    wl_proxy* pointers = nullptr;
};

void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    auto* g = static_cast<Globals*>(data);
    if (std::strcmp(interface, "wl_seat") == 0 && g->seat == nullptr)
        g->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, keyboardManagerInterface.name) == 0)
        g->keyboards = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &keyboardManagerInterface, 1));
    else if (std::strcmp(interface, pointerManagerInterface.name) == 0)
        g->pointers = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &pointerManagerInterface, 1));
}
void GlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener registryListener = {&Global, &GlobalRemove};

std::uint32_t Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::uint32_t(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "korvan-virtual-input: %s\n", message.c_str());
    std::exit(1);
}

const std::map<std::string, std::uint32_t> KeyCodes = {
    {"1", KEY_1},         {"2", KEY_2},       {"3", KEY_3},           {"4", KEY_4},     {"5", KEY_5},
    {"backslash", KEY_BACKSLASH}, {"grave", KEY_GRAVE}, {"return", KEY_ENTER}, {"escape", KEY_ESC},
    {"down", KEY_DOWN},   {"tab", KEY_TAB}};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        Fail("usage: korvan-virtual-input LAYOUT STEP...");
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        Fail("no Wayland display");
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.seat == nullptr || globals.keyboards == nullptr || globals.pointers == nullptr)
        Fail("the compositor offers no seat, virtual keyboard or virtual pointer");

    // The layout, as a desktop compiles it, handed to the compositor as the keyboard's keymap.
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names = {"evdev", "pc105", argv[1], "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr)
        Fail(std::string("no layout ") + argv[1]);
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const std::size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    if (fd < 0 || write(fd, text, size) != ssize_t(size))
        Fail("cannot hand over the keymap");
    const std::uint32_t shift = 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT);

    auto* keyboard = wl_proxy_marshal_flags(globals.keyboards, 0, &keyboardInterface, 1, 0, globals.seat, nullptr);
    wl_proxy_marshal_flags(keyboard, 0, nullptr, 1, 0, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, std::uint32_t(size));
    auto* pointer = wl_proxy_marshal_flags(globals.pointers, 0, &pointerInterface, 1, 0, globals.seat, nullptr);
    wl_display_roundtrip(display);
    // The seat gains a keyboard with this device (it had none, or another one): the program asks
    // for its own keyboard object when told, and keys sent before it has one would be lost.
    usleep(300000);

    auto key = [&](std::uint32_t code, bool pressed) {
        wl_proxy_marshal_flags(keyboard, 1, nullptr, 1, 0, Now(), code, std::uint32_t(pressed));
    };
    auto modifiers = [&](std::uint32_t depressed) {
        wl_proxy_marshal_flags(keyboard, 2, nullptr, 1, 0, depressed, 0u, 0u, 0u);
    };
    for (int i = 2; i < argc; ++i) {
        const std::string step = argv[i];
        if (step == "key" && i + 1 < argc) {
            std::string name = argv[++i];
            const bool withShift = name.rfind("shift+", 0) == 0;
            if (withShift)
                name = name.substr(6);
            const auto code = KeyCodes.find(name);
            if (code == KeyCodes.end())
                Fail("unknown key " + name);
            if (withShift) {
                key(KEY_LEFTSHIFT, true);
                modifiers(shift);
            }
            key(code->second, true);
            key(code->second, false);
            if (withShift) {
                key(KEY_LEFTSHIFT, false);
                modifiers(0);
            }
        } else if (step == "move" && i + 2 < argc) {
            const auto x = std::uint32_t(std::atoi(argv[i + 1])), y = std::uint32_t(std::atoi(argv[i + 2]));
            i += 2;
            wl_proxy_marshal_flags(pointer, 1, nullptr, 1, 0, Now(), x, y, 1024u, 768u);
            wl_proxy_marshal_flags(pointer, 4, nullptr, 1, 0);
        } else if (step == "click") {
            wl_proxy_marshal_flags(pointer, 2, nullptr, 1, 0, Now(), std::uint32_t(BTN_LEFT), 1u);
            wl_proxy_marshal_flags(pointer, 4, nullptr, 1, 0);
            wl_proxy_marshal_flags(pointer, 2, nullptr, 1, 0, Now(), std::uint32_t(BTN_LEFT), 0u);
            wl_proxy_marshal_flags(pointer, 4, nullptr, 1, 0);
        } else if (step == "wait" && i + 1 < argc) {
            usleep(useconds_t(std::atoi(argv[++i])) * 1000);
        } else {
            Fail("unknown step " + step);
        }
        wl_display_roundtrip(display);
        usleep(30000);  // one step at a time, as a hand would
    }
    // Let the last events reach the program before the devices go away.
    wl_display_roundtrip(display);
    usleep(300000);
    wl_proxy_marshal_flags(pointer, 8, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_proxy_marshal_flags(keyboard, 3, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_proxy_marshal_flags(globals.pointers, 1, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_proxy_destroy(globals.keyboards);  // its protocol has no destructor request
    wl_seat_destroy(globals.seat);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    free(text);
    close(fd);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return 0;
}
