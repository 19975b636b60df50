#include "face/qt/window_mirror.h"

#include "face/qt/font_mapping.h"
#include "face/qt/icon_mapping.h"

namespace veltface {

WindowMirror::WindowMirror(CWnd& wnd, QWidget* widget) : hwnd_(wnd.GetSafeHwnd()), widget_(widget) {
    // Checks and tools find the widget of a window by its handle.
    widget->setProperty("veltHwnd", QVariant::fromValue(reinterpret_cast<quintptr>(hwnd_)));
}

WindowMirror::~WindowMirror() { delete widget_.data(); }

QRect MirrorGeometry(const CWnd& wnd) {
    RECT rect;
    wnd.GetWindowRect(&rect);
    CWnd* parent = wnd.GetParent();
    if ((wnd.GetStyle() & WS_CHILD) && parent) parent->ScreenToClient(&rect);
    return QRect(static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right - rect.left),
                 static_cast<int>(rect.bottom - rect.top));
}

void WindowMirror::Sync(CWnd& wnd, WindowChange change) {
    if (!widget_) return;
    switch (change) {
    case WindowChange::Text:
        if (widget_->isWindow()) widget_->setWindowTitle(QString::fromUtf8(wnd.GetWindowText().GetString()));
        break;
    case WindowChange::Style:
    case WindowChange::Visibility:
    case WindowChange::Enabled:
        widget_->setEnabled(wnd.IsWindowEnabled());
        widget_->setVisible((wnd.GetStyle() & WS_VISIBLE) != 0);
        break;
    case WindowChange::Geometry: {
        QRect geometry = MirrorGeometry(wnd);
        if (widget_->geometry() != geometry) widget_->setGeometry(geometry);
        break;
    }
    case WindowChange::Font:
        if (wnd.GetFont()) widget_->setFont(FontOf(*wnd.GetFont()));
        break;
    case WindowChange::Focus: widget_->setFocus(Qt::OtherFocusReason); break;
    case WindowChange::Front:
        widget_->raise();
        widget_->activateWindow();
        break;
    case WindowChange::Icon:
        if (widget_->isWindow()) widget_->setWindowIcon(IconOf(wnd.GetIcon(FALSE) ? wnd.GetIcon(FALSE) : wnd.GetIcon(TRUE)));
        break;
    case WindowChange::Content: break;
    }
}

void WindowMirror::ReleaseWidgetLater() {
    if (!widget_) return;
    widget_->hide();
    widget_->deleteLater();
    widget_.clear();
}

void WindowMirror::SyncAll(CWnd& wnd) {
    for (WindowChange change : {WindowChange::Text, WindowChange::Geometry, WindowChange::Font, WindowChange::Style}) {
        Sync(wnd, change);
    }
}

}  // namespace veltface
