#include "WindowSystem.h"

#include <QGuiApplication>
#include <QString>

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool WindowOpacityWorks()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") || platform == QLatin1String("cocoa");
}
