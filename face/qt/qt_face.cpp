#include "face/qt/qt_face.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QThread>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "face/qt/font_mapping.h"
#include "face/qt/mirror_registry.h"
#include "face/qt/painter_canvas.h"
#include "face/qt/window_widget.h"
#include "veltutil/platform/host/loop/message_queue.h"

namespace veltface {

QtFace::QtFace() : dispatcher_(QThread::currentThread()->eventDispatcher()) {
    waitTimer_.setSingleShot(true);
    waitTimer_.setTimerType(Qt::PreciseTimer);
}

std::unique_ptr<WindowMirror> QtFace::MakeMirror(CWnd& wnd, QWidget* parent) const {
    if (auto mirror = MakeControlMirror(wnd, parent)) return mirror;
    return std::make_unique<WindowMirror>(wnd, new WindowWidget(wnd.GetSafeHwnd(), parent));
}

void QtFace::WindowCreated(CWnd& wnd) {
    if (makingRelay_ || exiting_) return;
    QWidget* parentWidget = nullptr;
    // Only a child depends on its parent's widget; an owned window's is a window of its own.
    HWND parent = nullptr;
    if (wnd.GetStyle() & WS_CHILD) {
        parent = wnd.GetParent() ? wnd.GetParent()->GetSafeHwnd() : nullptr;
        WindowMirror* parentMirror = MirrorOf(parent);
        // A child of a window the face does not show is not shown either.
        if (!parentMirror || !parentMirror->Widget()) return;
        parentWidget = parentMirror->Widget();
    }
    auto mirror = MakeMirror(wnd, parentWidget);
    mirror->SyncAll(wnd);
    mirrors_[wnd.GetSafeHwnd()] = Entry{std::move(mirror), parent};
    // Children made while the window itself was being made (a list's header) had no parent
    // widget to live in then.
    for (CWnd* child : wnd.GetChildren()) {
        if (!MirrorOf(child->GetSafeHwnd())) WindowCreated(*child);
    }
}

void QtFace::WindowChanged(CWnd& wnd, WindowChange change) {
    if (WindowMirror* mirror = MirrorOf(wnd.GetSafeHwnd())) mirror->Sync(wnd, change);
}

void QtFace::WindowDestroyed(CWnd& wnd) { Forget(wnd.GetSafeHwnd()); }

void QtFace::Forget(HWND hwnd) {
    if (exiting_ || !mirrors_.count(hwnd)) return;
    // Children first: Qt deletes their widgets with their parent's, and their mirrors go too.
    std::vector<HWND> dependants;
    for (const auto& [handle, entry] : mirrors_) {
        if (entry.parent == hwnd) dependants.push_back(handle);
    }
    for (HWND dependant : dependants) Forget(dependant);
    // A window that destroys itself while it paints: its widget is still on the stack.
    if (painting_.hwnd == hwnd) mirrors_[hwnd].mirror->ReleaseWidgetLater();
    mirrors_.erase(hwnd);
}

void QtFace::Invalidated(CWnd& wnd) {
    WindowMirror* mirror = MirrorOf(wnd.GetSafeHwnd());
    if (mirror && mirror->Widget()) mirror->Widget()->update();
}

veltutil::detail::FaceCanvas* QtFace::PaintingCanvas(CWnd& wnd) {
    return painting_.hwnd == wnd.GetSafeHwnd() ? painting_.canvas : nullptr;
}

CSize QtFace::MeasureText(const LOGFONT& font, const CString& text) {
    QFontMetrics metrics(FontOf(font));
    QRect bounds = metrics.boundingRect(QRect(0, 0, INT_MAX / 2, INT_MAX / 2), Qt::AlignLeft | Qt::AlignTop,
                                        QString::fromUtf8(text.GetString()));
    return CSize(bounds.width(), std::max(bounds.height(), metrics.height()));
}

CSize QtFace::DialogBaseUnits(const char* fontName, int pointSize) {
    QFontMetrics metrics(TemplateFont(fontName, pointSize));
    // The average width of the Latin letters, rounded, as dialog units have always been measured.
    int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return CSize((letters / 26 + 1) / 2, metrics.height());
}

void QtFace::DialogFontChosen(CWnd& dialog, const char* fontName, int pointSize) {
    WindowMirror* mirror = MirrorOf(dialog.GetSafeHwnd());
    if (mirror && mirror->Widget()) mirror->Widget()->setFont(TemplateFont(fontName, pointSize));
}

void QtFace::ProcessEvents(DWORD milliseconds) {
    if (milliseconds == 0) {
        QCoreApplication::processEvents();
    } else {
        if (milliseconds != INFINITE) waitTimer_.start(static_cast<int>(std::min<DWORD>(milliseconds, INT_MAX)));
        dispatcher_->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        waitTimer_.stop();
    }
    // No Qt event loop runs to delete what Qt's own widgets let go of later.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtFace::ArmWake() { wakePending_.store(false); }

void QtFace::Wake() {
    // One wake-up is enough until the UI thread looks at its queue again.
    if (!wakePending_.exchange(true)) dispatcher_->wakeUp();
}

WindowMirror* QtFace::MirrorOf(HWND hwnd) const {
    if (exiting_) return nullptr;
    auto found = mirrors_.find(hwnd);
    return found == mirrors_.end() ? nullptr : found->second.mirror.get();
}

void QtFace::Paint(HWND hwnd, QPainter& painter) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) return;
    PainterCanvas canvas(painter);
    Painting outer = std::exchange(painting_, Painting{hwnd, &canvas});
    wnd->SendMessage(WM_PAINT);
    painting_ = outer;
}

void QtFace::PersonPlaced(HWND hwnd, const QRect& geometry) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd || MirrorGeometry(*wnd) == geometry) return;
    if (!relay_) {
        makingRelay_ = true;
        relay_ = new GeometryRelay;
        relay_->Create("", WS_POPUP, CRect(), nullptr);
        makingRelay_ = false;
    }
    relay_->Report(hwnd, geometry);
}

}  // namespace veltface
