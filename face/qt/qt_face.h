#pragma once

#include <QAbstractEventDispatcher>
#include <QTimer>

#include <atomic>
#include <memory>
#include <unordered_map>

#include "face/qt/geometry_relay.h"
#include "face/qt/window_mirror.h"

namespace veltface {

// The face on Qt: one mirror per window of the UI thread, the toolkit's event loop as the
// thread's wait, and painting through WM_PAINT onto the widget.
class QtFace final : public veltutil::detail::Face {
public:
    QtFace();

    void WindowCreated(CWnd& wnd) override;
    void WindowChanged(CWnd& wnd, WindowChange change) override;
    void WindowDestroyed(CWnd& wnd) override;
    void Invalidated(CWnd& wnd) override;
    veltutil::detail::FaceCanvas* PaintingCanvas(CWnd& wnd) override;
    CSize MeasureText(const LOGFONT& font, const CString& text) override;
    CSize DialogBaseUnits(const char* fontName, int pointSize) override;
    void DialogFontChosen(CWnd& dialog, const char* fontName, int pointSize) override;
    void ProcessEvents(DWORD milliseconds) override;
    void ArmWake() override;
    void Wake() override;

    // The mirror of a window; null for a window the face does not show.
    WindowMirror* MirrorOf(HWND hwnd) const;
    // Has the window paint onto `painter` (the widget's paint event).
    void Paint(HWND hwnd, QPainter& painter);
    // A person moved or resized a top-level window's widget to `geometry`.
    void PersonPlaced(HWND hwnd, const QRect& geometry);
    // The process exits: Qt's own objects may go before windows of static storage duration,
    // so the face lets go of the screen and ignores the windows from now on.
    void LetGo() { exiting_ = true; }

private:
    struct Entry {
        std::unique_ptr<WindowMirror> mirror;
        HWND parent = nullptr;
    };
    struct Painting {
        HWND hwnd = nullptr;
        veltutil::detail::FaceCanvas* canvas = nullptr;
    };

    std::unique_ptr<WindowMirror> MakeMirror(CWnd& wnd, QWidget* parent) const;
    void Forget(HWND hwnd);

    std::unordered_map<HWND, Entry> mirrors_;
    QAbstractEventDispatcher* dispatcher_;
    std::atomic<bool> wakePending_{false};
    // Ends a wait with a time limit; its firing is the event that wakes the loop.
    QTimer waitTimer_;
    Painting painting_;
    // Made on a person's first move; the face never shows it.
    GeometryRelay* relay_ = nullptr;
    bool makingRelay_ = false;
    bool exiting_ = false;
};

// The face the module made (module_entry.cpp).
QtFace& TheFace();

}  // namespace veltface
