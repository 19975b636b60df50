#include "face/qt/window_widget.h"

#include <QCloseEvent>
#include <QPainter>

#include "face/qt/key_input.h"
#include "face/qt/qt_face.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace veltface {

WindowWidget::WindowWidget(HWND hwnd, QWidget* parent) : QWidget(parent), hwnd_(hwnd) {
    setFocusPolicy(Qt::StrongFocus);
    // A window that paints fills what it owns; the rest shows the dialog colour.
    setAutoFillBackground(true);
}

void WindowWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    TheFace().Paint(hwnd_, painter);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    CWnd* wnd = CWnd::FromHandle(hwnd_);
    if (!wnd || !PostKey(*wnd, *event)) QWidget::keyPressEvent(event);
}

void WindowWidget::PostMouse(QMouseEvent* event) {
    if (CWnd* wnd = CWnd::FromHandle(hwnd_)) veltface::PostMouse(*wnd, *event);
}

void WindowWidget::mousePressEvent(QMouseEvent* event) { PostMouse(event); }
void WindowWidget::mouseReleaseEvent(QMouseEvent* event) { PostMouse(event); }
void WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) { PostMouse(event); }

void WindowWidget::closeEvent(QCloseEvent* event) {
    // The window decides: it goes when its own handlers destroy it, and the face follows.
    event->ignore();
    if (CWnd* wnd = CWnd::FromHandle(hwnd_)) PostClose(*wnd);
}

void WindowWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    ReportGeometry();
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ReportGeometry();
}

void WindowWidget::ReportGeometry() {
    // A child follows its window only; the screen moves and sizes top-level windows.
    if (isWindow() && isVisible()) TheFace().PersonPlaced(hwnd_, geometry());
}

}  // namespace veltface
