#include <memory>

#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include "face_support.h"
#include "veltutil/platform/host/windows/frame_wnd.h"

namespace {

using velttest::PumpPosted;
using velttest::WidgetOf;

QRect rectOf(const CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return QRect(static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.Width()),
                 static_cast<int>(rect.Height()));
}

// Makes its child while it is being created, as frames do.
class ParentWindow : public CFrameWnd {
public:
    CWnd child;

protected:
    int OnCreate() override { return child.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), this, 5) ? 0 : -1; }
};

TEST(QtFaceWindows, WidgetsFollowTheirWindowsStateAndChildrenLiveInTheirParents) {
    auto frame = std::make_unique<ParentWindow>();
    ASSERT_TRUE(frame->Create("Frame", WS_CAPTION, CRect(40, 50, 340, 250), nullptr));
    CWnd& child = frame->child;
    QWidget* widget = WidgetOf(*frame);
    QPointer<QWidget> childWidget = WidgetOf(child);
    ASSERT_TRUE(widget && childWidget);
    EXPECT_TRUE(widget->isWindow());
    EXPECT_EQ(widget->geometry(), QRect(40, 50, 300, 200));
    EXPECT_FALSE(widget->isVisible());
    EXPECT_EQ(childWidget->parentWidget(), widget);
    EXPECT_EQ(childWidget->geometry(), QRect(10, 20, 100, 50));

    frame->ShowWindow(SW_SHOW);
    frame->SetWindowText("仿真 日志");
    frame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(widget->geometry(), QRect(40, 50, 400, 300));
    frame->SetWindowPos(nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    frame->EnableWindow(FALSE);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->windowTitle(), QString::fromUtf8("仿真 日志"));
    EXPECT_EQ(widget->geometry(), QRect(10, 20, 400, 300));
    EXPECT_FALSE(widget->isEnabled());

    // The frame's object goes without DestroyWindow, and its widgets with it.
    QPointer<QWidget> frameWidget = widget;
    frame.reset();
    EXPECT_TRUE(childWidget.isNull());
    EXPECT_TRUE(frameWidget.isNull());
}

TEST(QtFaceWindows, APersonsMoveResizeAndCloseArePostedInput) {
    CWnd window;
    ASSERT_TRUE(window.Create("Placed", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    QPointer<QWidget> widget = WidgetOf(window);
    ASSERT_FALSE(widget.isNull());

    widget->setGeometry(30, 40, 250, 120);
    EXPECT_EQ(rectOf(window), QRect(0, 0, 200, 100));
    PumpPosted();
    EXPECT_EQ(rectOf(window), QRect(30, 40, 250, 120));
    // A move alone moves the frame; the window's place is its client area's.
    widget->move(60, 70);
    PumpPosted();
    EXPECT_EQ(rectOf(window), widget->geometry());
    EXPECT_GE(rectOf(window).x(), 60);

    widget->close();
    EXPECT_FALSE(widget.isNull());
    PumpPosted();
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(widget.isNull());
}

// Made before the face, destroyed after Qt has begun to go at exit.
CWnd lastingWindow;

TEST(QtFaceWindows, AWindowOfStaticStorageOutlivesTheScreenSafely) {
    ASSERT_TRUE(lastingWindow.Create("Lasting", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr));
    // Nothing more to see here: the process must end without a fault.
    EXPECT_NE(WidgetOf(lastingWindow), nullptr);
}

}  // namespace
