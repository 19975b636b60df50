#include <memory>

#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include "face_support.h"
#include "veltutil/platform/host/windows/dialog.h"
#include "veltutil/platform/host/windows/frame_wnd.h"

namespace {

using velttest::PumpPosted;
using velttest::WidgetOf;

// Remembers where it was put, as a window that keeps its place does.
class PlacedWindow : public CWnd {
public:
    POINT moved{-1, -1};
    CSize sized{-1, -1};
    int closes = 0;

protected:
    void OnMove(int x, int y) override { moved = POINT{x, y}; }
    void OnSize(UINT /*type*/, int cx, int cy) override { sized = CSize(cx, cy); }
    void OnClose() override {
        ++closes;
        CWnd::OnClose();
    }
};

TEST(QtFaceWindows, TopLevelWindowShowsItsCaptionPlaceAndVisibility) {
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create("Frame", WS_CAPTION, CRect(40, 50, 340, 250), nullptr));
    QWidget* widget = WidgetOf(frame);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isWindow());
    EXPECT_EQ(widget->windowTitle(), "Frame");
    EXPECT_EQ(widget->geometry(), QRect(40, 50, 300, 200));
    EXPECT_FALSE(widget->isVisible());

    frame.ShowWindow(SW_SHOW);
    frame.SetWindowText("仿真 日志");
    frame.MoveWindow(10, 20, 400, 300);
    frame.EnableWindow(FALSE);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->windowTitle(), QString::fromUtf8("仿真 日志"));
    EXPECT_EQ(widget->geometry(), QRect(10, 20, 400, 300));
    EXPECT_FALSE(widget->isEnabled());
    frame.ShowWindow(SW_HIDE);
    EXPECT_FALSE(widget->isVisible());

    QPointer<QWidget> gone = widget;
    frame.DestroyWindow();
    EXPECT_TRUE(gone.isNull());
}

TEST(QtFaceWindows, ChildWidgetsLiveInTheirParentsAndGoBeforeIt) {
    auto parent = std::make_unique<CWnd>();
    ASSERT_TRUE(parent->Create("Parent", WS_CAPTION | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), parent.get(), 5));
    QPointer<QWidget> childWidget = WidgetOf(child);
    ASSERT_FALSE(childWidget.isNull());
    EXPECT_EQ(childWidget->parentWidget(), WidgetOf(*parent));
    EXPECT_EQ(childWidget->geometry(), QRect(10, 20, 100, 50));

    // The parent object goes without DestroyWindow: its child's mirror goes with its widget,
    // and the child, left behind, changes without a mirror.
    parent.reset();
    EXPECT_TRUE(childWidget.isNull());
    child.MoveWindow(0, 0, 10, 10);
    child.SetWindowText("still here");
}

TEST(QtFaceWindows, APersonsMoveResizeAndCloseArePostedInput) {
    PlacedWindow window;
    ASSERT_TRUE(window.Create("Placed", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    QWidget* widget = WidgetOf(window);
    ASSERT_NE(widget, nullptr);

    widget->setGeometry(30, 40, 250, 120);
    // Nothing happens to the window until its queue is pumped.
    RECT rect;
    window.GetWindowRect(&rect);
    EXPECT_EQ(CRect(rect), CRect(0, 0, 200, 100));
    PumpPosted();
    window.GetWindowRect(&rect);
    EXPECT_EQ(CRect(rect), CRect(30, 40, 280, 160));
    EXPECT_EQ(window.moved.x, 30);
    EXPECT_EQ(window.moved.y, 40);
    EXPECT_EQ(window.sized, CSize(250, 120));
    // A move alone, of the frame: the window's place is its client area's.
    widget->move(60, 70);
    PumpPosted();
    EXPECT_GE(window.moved.x, 60);
    EXPECT_EQ(window.moved.x, widget->geometry().x());
    EXPECT_EQ(window.moved.y, widget->geometry().y());

    QPointer<QWidget> gone = widget;
    widget->close();
    EXPECT_FALSE(gone.isNull());
    PumpPosted();
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(gone.isNull());
}

}  // namespace
