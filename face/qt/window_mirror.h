#pragma once

#include <QPointer>
#include <QWidget>

#include "veltutil/platform/host/face/internal/face_hooks.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace veltface {

using veltutil::detail::WindowChange;

// The widget that shows one host window. The window stays the truth: the mirror copies its
// state into the widget on each change and never writes back; what a person does to the
// widget is posted to the window's queue as input. A control's mirror derives from this and
// adds its own state in Sync.
class WindowMirror {
public:
    // Takes the widget; it is deleted with the mirror (unless a Qt parent deleted it first).
    WindowMirror(CWnd& wnd, QWidget* widget);
    WindowMirror(const WindowMirror&) = delete;
    WindowMirror& operator=(const WindowMirror&) = delete;
    virtual ~WindowMirror();

    HWND Handle() const { return hwnd_; }
    // The mirrored window; null once it is gone.
    CWnd* Window() const { return CWnd::FromHandle(hwnd_); }
    QWidget* Widget() const { return widget_; }

    // Brings the widget up to the window's state after `change`. The base copies what every
    // window has: caption (of a top-level window), visibility, enabled state, rectangle, font
    // and focus.
    virtual void Sync(CWnd& wnd, WindowChange change);
    // Every change, once, after the mirror is made.
    void SyncAll(CWnd& wnd);
    // Hides the widget and lets Qt delete it once its event handlers have returned: for a
    // window that goes while its widget paints.
    void ReleaseWidgetLater();

private:
    HWND hwnd_;
    QPointer<QWidget> widget_;
};

// The widget's rectangle for the window's: a top-level window's on the screen, a child's in
// its parent's client area; either way the client area, which in the host has no border.
QRect MirrorGeometry(const CWnd& wnd);

}  // namespace veltface
