#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/instruments/test_instruments.h"
#include "veltutil/platform/host/drawing/device_caps.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace {

// The application's main window of 800 x 600 at (100, 100) on a 1280 x 1024 screen, and what
// an instrument keeps for its window. Panels are 180 x 120 pixels.
struct SettingsWindow : ::testing::Test {
    ~SettingsWindow() override { SetScreenSize(1280, 1024); }
    std::unique_ptr<velttest::PanelWindow> Open(CWnd* parent) { return velttest::OpenPanel(shown, x, y, parent); }
    static CRect Rect(const CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect;
    }

    velttest::InstrumentApp app{false};
    CWnd& main = app.mainWindow;
    int shown = 0;
    double x = CInstrumentSettingsBase::kNoPosition;
    double y = CInstrumentSettingsBase::kNoPosition;
};

}  // namespace

// Without a stored position or a parent it is centred; placing it records nothing.
TEST_F(SettingsWindow, IsPlacedFromTheStoredPositionAndKeptOnTheScreen) {
    struct Row { double x, y; long left, top; bool parent = true; };
    const Row rows[] = {
        {CInstrumentSettingsBase::kNoPosition, 0.0, 410, 340}, {0.0, CInstrumentSettingsBase::kNoPosition, 410, 340},
        {0.25, 0.25, 550, 452, false},                          {-0.1, -0.05, 592, 528},  // 1280 * -0.1 + 900 - 180
        {0.5, 0.5, 1100, 904},                                  {-1.0, -1.0, 0, 0},
        {1e300, -1e300, 1100, 0},                               {std::nan(""), 0.0, 0, 580},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.x << ", " << row.y);
        x = row.x;
        y = row.y;
        auto window = Open(row.parent ? &main : nullptr);
        EXPECT_EQ(Rect(*window), CRect(row.left, row.top, row.left + 180, row.top + 120));
        EXPECT_TRUE((x == row.x || std::isnan(row.x)) && y == row.y);
    }
}

TEST_F(SettingsWindow, MovesAreRecordedAsFractionsOfTheScreenFromTheParentsCornerAndKeepTheFocus) {
    auto window = Open(&main);
    window->MoveWindow(600, 400, 180, 120);
    EXPECT_EQ(x, (780.0 - 900.0) / 1280.0);
    EXPECT_EQ(y, (520.0 - 700.0) / 1024.0);

    // A screen of unknown size neither places nor records.
    SetScreenSize(0, 0);
    double before = x;
    window->MoveWindow(10, 10, 180, 120);
    window->ResetInstrumentWindowPos();
    EXPECT_EQ(x, before);
    EXPECT_EQ(Rect(*window).left, 10);

    // Placing gives the focus back to the window that had it.
    SetScreenSize(1280, 1024);
    window->onMove = [&] { window->GetDlgItem(velttest::kPanelEntry)->SetFocus(); };
    main.SetFocus();
    window->ResetInstrumentWindowPos();
    EXPECT_EQ(Rect(*window).left, 600);  // back where it was recorded
    EXPECT_EQ(CWnd::GetFocus(), &main);
}

TEST_F(SettingsWindow, EnterAndEscapeLeaveItOpenAndTheCloseBoxHidesIt) {
    auto window = Open(&main);
    EXPECT_EQ(window->Show(1), 1);
    PostKeyPress(*window->GetDlgItem(velttest::kPanelEntry), VK_RETURN);
    PostKeyPress(*window, VK_ESCAPE);
    velttest::PumpPosted();
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(window->GetShown(), 1);

    shown = 1;
    PostClose(*window);
    velttest::PumpPosted();
    EXPECT_FALSE(window->IsWindowVisible());
    EXPECT_EQ(window->GetShown(), 0);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(window->undoSteps, 1);
}
