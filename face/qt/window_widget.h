#pragma once

#include <QWidget>

#include "veltutil/platform/host/win_types.h"

namespace veltface {

// The widget of a window that no control mirror claims: a frame, a dialog, a window that
// paints itself. It paints through the window's WM_PAINT, and posts what a person does to it:
// keys, left-button clicks, closing, and (for a top-level window) moving and resizing.
class WindowWidget final : public QWidget {
public:
    WindowWidget(HWND hwnd, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PostMouse(QMouseEvent* event);
    void ReportGeometry();

    HWND hwnd_;
};

}  // namespace veltface
