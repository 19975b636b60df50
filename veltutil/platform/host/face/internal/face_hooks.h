#pragma once

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/geometry.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"
#include "veltutil/platform/host/windows/system_metrics.h"  // LOGFONT

class CWnd;
struct DrawRecord;

namespace veltutil::detail {

// What changed on a window, so that the face updates only that on the screen. Content is a
// control's own state (its items, check state, selection, scrolling); Front, a top-level
// window brought in front of the others; Icon, the icon of its caption.
enum class WindowChange { Text, Visibility, Enabled, Geometry, Style, Focus, Font, Content, Front, Icon };

// Where a device context's drawing calls go while a window paints on the screen.
class FaceCanvas {
public:
    virtual void Draw(const DrawRecord& record) = 0;

protected:
    ~FaceCanvas() = default;
};

// Wakes a thread that waits for its queue in the face's event loop; called on any thread.
class QueueWaker {
public:
    virtual void Wake() = 0;

protected:
    ~QueueWaker() = default;
};

// What the host tells a face, and asks it. Everything but Wake runs on the face's UI thread
// (the thread that chose it); the face ignores windows of other threads. A face lives as long
// as the process.
class Face : public QueueWaker {
public:
    // Before WM_CREATE: the window has its text, style, rectangle and parent. A window that
    // WM_CREATE refuses goes at once (WindowDestroyed).
    virtual void WindowCreated(CWnd& wnd) = 0;
    virtual void WindowChanged(CWnd& wnd, WindowChange change) = 0;
    // While the window object is still whole: before WM_DESTROY's handlers see it gone.
    virtual void WindowDestroyed(CWnd& wnd) = 0;
    // The window waits to be painted: the face asks it for WM_PAINT when the screen needs it.
    virtual void Invalidated(CWnd& wnd) = 0;
    // The canvas of `wnd` while the screen has it paint; null otherwise.
    virtual FaceCanvas* PaintingCanvas(CWnd& wnd) = 0;
    // The extent of text in the font, measured from the font the screen draws it with.
    virtual CSize MeasureText(const LOGFONT& font, const CString& text) = 0;
    // The base units of a dialog template's font on the screen (average character width and
    // character height): a dialog unit is a quarter of the one across, an eighth of the other.
    virtual CSize DialogBaseUnits(const char* fontName, int pointSize) = 0;
    // The dialog's window exists and its controls are next: its widget takes the template's
    // font, which the controls' widgets inherit.
    virtual void DialogFontChosen(CWnd& dialog, const char* fontName, int pointSize) = 0;

    // Handles the toolkit's pending events; with a non-zero `milliseconds` first waits up to
    // that long (INFINITE: without limit) for one, or for Wake.
    virtual void ProcessEvents(DWORD milliseconds) = 0;
    // From now on a Wake ends the next ProcessEvents; called before the caller looks at its
    // queue, so that a message posted after the look is not slept through.
    virtual void ArmWake() = 0;

protected:
    ~Face() = default;
};

// The face, once one has been chosen and loaded; null when headless or not chosen yet.
VELTHOST_API Face* LoadedFace();
// Like LoadedFace, but makes the choice (from VELT_FACE) when none has been made yet.
VELTHOST_API Face* ChosenFace();
// The face when the calling thread is its UI thread, else null.
VELTHOST_API Face* FaceOfThisThread();
// As FaceOfThisThread, but makes the choice first when none has been made: what a window
// about to be made asks.
VELTHOST_API Face* ChooseFaceOfThisThread();

// What a control's setters call when its own state changed; nothing without a face.
inline void ContentChanged(CWnd& wnd) {
    if (Face* face = FaceOfThisThread()) face->WindowChanged(wnd, WindowChange::Content);
}

// A face module exports this: the face, or null with the reason in *error.
using FaceEntry = Face* (*)(CString* error);
constexpr const char* kFaceEntryName = "VeltCreateFace";

}  // namespace veltutil::detail
