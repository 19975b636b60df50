#include <QWidget>

#include <gtest/gtest.h>

#include "face_support.h"
#include "tests/instruments/test_instruments.h"

namespace {

using velttest::PumpPosted;
using velttest::WidgetOf;

TEST(QtFaceSettingsWindow, MovesResizesHidesAndComesBackWhereAPersonLeftIt) {
    velttest::InstrumentApp app{false};
    int shown = 0;
    double x = CInstrumentSettingsBase::kNoPosition;
    double y = CInstrumentSettingsBase::kNoPosition;
    auto panel = velttest::OpenPanel(shown, x, y, &app.mainWindow);
    QWidget* widget = WidgetOf(*panel);
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(widget->isVisible());
    panel->Show(1);
    EXPECT_TRUE(widget->isVisible());

    widget->setGeometry(150, 130, 240, 160);
    PumpPosted();
    CRect rect;
    panel->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(150, 130, 390, 290));
    EXPECT_NE(x, CInstrumentSettingsBase::kNoPosition);
    EXPECT_NE(y, CInstrumentSettingsBase::kNoPosition);

    // Its close box hides it: the window stays, and so does its widget.
    widget->close();
    PumpPosted();
    EXPECT_EQ(shown, 0);
    EXPECT_NE(panel->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(widget->isVisible());

    panel.reset();
    auto again = velttest::OpenPanel(shown, x, y, &app.mainWindow);
    again->Show(1);
    QWidget* next = WidgetOf(*again);
    ASSERT_NE(next, nullptr);
    // The panel keeps the corner's place; its size is the template's again.
    CRect placed;
    again->GetWindowRect(&placed);
    EXPECT_EQ(placed.right, 390);
    EXPECT_EQ(placed.bottom, 290);
    EXPECT_EQ(next->geometry(), QRect(static_cast<int>(placed.left), static_cast<int>(placed.top),
                                      static_cast<int>(placed.Width()), static_cast<int>(placed.Height())));
}

}  // namespace
