#include "WindowSystem.h"

#include <QGuiApplication>
#include <QString>

#include <cstdint>
#include <cstring>

#include <wayland-client.h>

namespace {

// Whether the compositor offers to draw title bars itself (the xdg-decoration protocol), asked on
// a short connection of the program's own: Qt 6.4 asks for them wherever it is offered.
bool CompositorOffersTitleBars()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return true;  // nothing to ask: leave the window to Qt
    bool offered = false;
    static constexpr wl_registry_listener listener{
        [](void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                *static_cast<bool*>(data) = true;
        },
        [](void*, wl_registry*, std::uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered || !answered;
}

}  // namespace

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool WindowOpacityWorks()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") || platform == QLatin1String("cocoa");
}

bool ProgramDrawsTitleBar()
{
    if (!OnWayland() || qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        return false;
    static const bool draws = !CompositorOffersTitleBars();
    return draws;
}
