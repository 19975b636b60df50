#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "face_support.h"

namespace {

using velttest::PumpPosted;
using velttest::WidgetOf;

// Keeps the input messages it is sent, as (message, wParam) pairs.
class InputWindow : public CWnd {
public:
    std::vector<std::pair<UINT, WPARAM>> input;
    LPARAM lastPoint = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN || message == WM_CHAR || (message >= WM_LBUTTONDOWN && message <= WM_LBUTTONDBLCLK)) {
            input.emplace_back(message, wParam);
            lastPoint = lParam;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

using Input = std::vector<std::pair<UINT, WPARAM>>;

TEST(QtFaceInput, KeysAndClicksOnAWidgetArePostedToItsWindowOrTheFocusInIt) {
    InputWindow top;
    ASSERT_TRUE(top.Create("Input", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    QWidget* widget = WidgetOf(top);
    ASSERT_NE(widget, nullptr);

    QTest::keyClicks(widget, "a");
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("仿"));
    QApplication::sendEvent(widget, &typed);
    QTest::keyClick(widget, Qt::Key_Return);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, QPoint(30, 40));
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    EXPECT_TRUE(top.input.empty());
    PumpPosted();
    // "仿" is three UTF-8 bytes; Return is a key press that TranslateMessage makes a character
    // too; Ctrl+A and the right button mean nothing to the host.
    EXPECT_EQ(top.input, (Input{{WM_CHAR, 'a'}, {WM_CHAR, 0xE4}, {WM_CHAR, 0xBB}, {WM_CHAR, 0xBF}, {WM_KEYDOWN, VK_RETURN},
                                {WM_CHAR, '\r'}, {WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}));
    EXPECT_EQ(GET_X_LPARAM(top.lastPoint), 30);
    EXPECT_EQ(GET_Y_LPARAM(top.lastPoint), 40);

    // The host's focus inside the window takes the keys; focus elsewhere does not.
    InputWindow child;
    ASSERT_TRUE(child.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &top, 7));
    InputWindow other;
    ASSERT_TRUE(other.Create("Other", WS_CAPTION, CRect(0, 0, 50, 20), nullptr));
    top.input.clear();
    child.SetFocus();
    QTest::keyClicks(widget, "x");
    other.SetFocus();
    QTest::keyClicks(widget, "y");
    PumpPosted();
    EXPECT_EQ(child.input, (Input{{WM_CHAR, 'x'}}));
    EXPECT_EQ(top.input, (Input{{WM_CHAR, 'y'}}));
    EXPECT_TRUE(other.input.empty());
}

}  // namespace
