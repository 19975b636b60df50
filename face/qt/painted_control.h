#pragma once

#include <QMouseEvent>
#include <QPainter>

#include <memory>

#include "face/qt/control_widget.h"
#include "face/qt/key_input.h"
#include "face/qt/window_mirror.h"

namespace veltface {

// The widget of a control drawn from the control itself whenever it paints (a tree, a list
// box): a person's presses and double clicks go to the control at their client coordinates,
// which the widget shares with the control's own layout.
template <typename Control>
class PaintedControlWidget : public ControlWidget<QWidget> {
public:
    PaintedControlWidget(HWND hwnd, QWidget* parent) : ControlWidget<QWidget>(hwnd, parent) {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    // Draws the control's rows on its background, in the widget's font.
    virtual void PaintRows(QPainter& painter, const Control& control) = 0;

    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        auto* control = dynamic_cast<Control*>(CWnd::FromHandle(Handle()));
        if (!control) return;
        painter.setFont(font());
        PaintRows(painter, *control);
        // The thin frame of a control with WS_BORDER, over the rows.
        if (control->GetStyle() & WS_BORDER) {
            painter.setPen(palette().color(QPalette::Mid));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

    void mousePressEvent(QMouseEvent* event) override { Post(*event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { Post(*event); }

private:
    void Post(const QMouseEvent& event) {
        if (CWnd* wnd = CWnd::FromHandle(Handle())) PostMouse(*wnd, event);
    }
};

// The mirror of a control whose widget reads the control when it paints: a change only asks for
// a paint, so that many changes before the next one cost one.
class RepaintingMirror final : public WindowMirror {
public:
    using WindowMirror::WindowMirror;

    void Sync(CWnd& wnd, WindowChange change) override {
        WindowMirror::Sync(wnd, change);
        if ((change == WindowChange::Content || change == WindowChange::Style) && Widget()) Widget()->update();
    }
};

// A mirror factory (mirror_registry.h): a `Widget`, a PaintedControlWidget<Control>, for a child window
// of class `Control`; null for any other.
template <typename Control, typename Widget>
std::unique_ptr<WindowMirror> MakePaintedMirror(CWnd& wnd, QWidget* parent) {
    auto* control = dynamic_cast<Control*>(&wnd);
    if (!control || !parent) return nullptr;
    return std::make_unique<RepaintingMirror>(*control, new Widget(control->GetSafeHwnd(), parent));
}

}  // namespace veltface
