#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

#include "face_support.h"

namespace {

using velttest::PumpPosted;
using velttest::WidgetOf;

// Keeps the input messages it is sent.
class InputWindow : public CWnd {
public:
    std::vector<MSG> input;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN || message == WM_CHAR || (message >= WM_LBUTTONDOWN && message <= WM_LBUTTONDBLCLK)) {
            MSG msg{};
            msg.message = message;
            msg.wParam = wParam;
            msg.lParam = lParam;
            input.push_back(msg);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(QtFaceInput, KeysAndClicksOnAWidgetArePostedToItsWindowOrTheFocusInIt) {
    InputWindow top;
    ASSERT_TRUE(top.Create("Input", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    QWidget* widget = WidgetOf(top);
    ASSERT_NE(widget, nullptr);

    QTest::keyClicks(widget, "a");
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("仿"));
    QApplication::sendEvent(widget, &typed);
    QTest::keyClick(widget, Qt::Key_Return);
    QTest::keyClick(widget, Qt::Key_Escape);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(top.input.empty());
    PumpPosted();
    std::vector<UINT> messages;
    std::vector<WPARAM> values;
    for (const MSG& msg : top.input) {
        messages.push_back(msg.message);
        values.push_back(msg.wParam);
    }
    // "仿" is three UTF-8 bytes; Return and Escape are key presses that TranslateMessage turns
    // into characters too; Ctrl+A means nothing to the host.
    EXPECT_EQ(messages, (std::vector<UINT>{WM_CHAR, WM_CHAR, WM_CHAR, WM_CHAR, WM_KEYDOWN, WM_CHAR, WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(values, (std::vector<WPARAM>{'a', 0xE4, 0xBB, 0xBF, VK_RETURN, '\r', VK_ESCAPE, 0x1B}));

    top.input.clear();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, QPoint(30, 40));
    PumpPosted();
    ASSERT_EQ(top.input.size(), 2u);
    EXPECT_EQ(top.input[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(top.input[1].message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(GET_X_LPARAM(top.input[0].lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(top.input[0].lParam), 40);

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
    ASSERT_EQ(child.input.size(), 1u);
    EXPECT_EQ(child.input[0].wParam, static_cast<WPARAM>('x'));
    ASSERT_EQ(top.input.size(), 1u);
    EXPECT_EQ(top.input[0].wParam, static_cast<WPARAM>('y'));
    EXPECT_TRUE(other.input.empty());
}

}  // namespace
