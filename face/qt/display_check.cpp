#include "face/qt/display_check.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>

namespace veltface {

namespace {

QString platformName() {
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    // "offscreen:fontengine=..." names the platform before its options.
    platform = platform.section(QLatin1Char(':'), 0, 0).section(QLatin1Char(';'), 0, 0);
    if (platform.isEmpty()) platform = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? "wayland" : "xcb";
    return platform;
}

QString xDisplayProblem() {
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) return "no X display (DISPLAY is not set; QT_QPA_PLATFORM=offscreen draws off screen)";
    // A local display is a socket; a remote one (host:N) is left for Qt to try.
    QRegularExpressionMatch local = QRegularExpression("^:(\\d+)").match(display);
    if (local.hasMatch() && !QFileInfo::exists("/tmp/.X11-unix/X" + local.captured(1))) {
        return "no X server at DISPLAY=" + display;
    }
    return {};
}

}  // namespace

QString DisplayProblem() {
    QString platform = platformName();
    QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libq" + platform + ".so";
    if (!QFileInfo::exists(plugin)) return "no Qt platform plugin " + plugin;
    if (platform == "xcb") return xDisplayProblem();
    if (platform == "wayland" && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) return "no Wayland display";
    return {};
}

}  // namespace veltface
