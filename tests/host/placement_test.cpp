#include <gtest/gtest.h>

#include <vector>

#include "tests/support/message_pump.h"
#include "veltutil/platform/host/drawing/device_caps.h"
#include "veltutil/platform/host/windows/dialog.h"
#include "veltutil/platform/host/windows/edit.h"
#include "veltutil/platform/host/windows/system_metrics.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace {

// Records the positions WM_MOVE reports.
class MovingWnd : public CWnd {
public:
    std::vector<POINT> moves;

protected:
    void OnMove(int x, int y) override { moves.push_back(POINT{x, y}); }
};

// A dialog counting OnOK and OnCancel, with a single-line entry and a multi-line one.
class KeyDialog : public CDialog {
public:
    KeyDialog() {
        CreateIndirect(DialogTemplate{"keys", "Sans", 9, WS_POPUP | WS_VISIBLE, 0, 0, 100, 50,
                                      {{"Edit", "", 1, WS_CHILD | WS_VISIBLE, 0, 0, 50, 10},
                                       {"Edit", "", 2, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 20, 50, 10}}});
    }
    int ok = 0;
    int cancel = 0;

protected:
    void OnOK() override { ++ok; }
    void OnCancel() override { ++cancel; }
};

std::vector<long> rectOf(const CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

struct Placement : ::testing::Test {
    Placement() {
        velttest::DrainQueue();
        SetScreenSize(1000, 800);
    }
    ~Placement() override {
        SetScreenSize(1280, 1024);
        velttest::DrainQueue();
    }
};

}  // namespace

TEST_F(Placement, MovesAreReportedWithTheNewPositionResizesAreNot) {
    MovingWnd parent;
    parent.Create("p", WS_POPUP | WS_VISIBLE, CRect(10, 10, 210, 110), nullptr);
    MovingWnd child;
    child.Create("c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &parent);
    parent.MoveWindow(-30, 40, 200, 100);
    parent.MoveWindow(-30, 40, 300, 100);
    child.SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_EQ(parent.moves.size(), 1u);
    EXPECT_EQ(parent.moves[0].x, -30);
    EXPECT_EQ(parent.moves[0].y, 40);
    ASSERT_EQ(child.moves.size(), 1u);
    EXPECT_EQ(child.moves[0].x, 5);  // a child's position is in its parent's client area
}

TEST_F(Placement, CentringUsesAVisibleOwnerOrTheScreenAndStaysOnTheScreen) {
    CWnd owner;
    owner.Create("owner", WS_POPUP | WS_VISIBLE, CRect(600, 500, 1000, 800), nullptr);
    CWnd popup;
    popup.Create("popup", WS_POPUP, CRect(0, 0, 300, 200), &owner);
    popup.CenterWindow();
    EXPECT_EQ(rectOf(popup), (std::vector<long>{650, 550, 950, 750}));

    owner.MoveWindow(800, 700, 400, 300);  // partly off the screen: kept on it
    popup.CenterWindow();
    EXPECT_EQ(rectOf(popup), (std::vector<long>{700, 600, 1000, 800}));

    owner.ShowWindow(SW_HIDE);
    popup.CenterWindow();
    EXPECT_EQ(rectOf(popup), (std::vector<long>{350, 300, 650, 500}));

    CWnd child;
    child.Create("child", WS_CHILD, CRect(0, 0, 100, 100), &owner);
    child.CenterWindow();
    EXPECT_EQ(rectOf(child), (std::vector<long>{800 + 150, 700 + 100, 800 + 250, 700 + 200}));
}

TEST_F(Placement, FocusMovesBySetFocusAndLeavesWithADestroyedWindow) {
    CWnd first;
    first.Create("1", WS_POPUP, CRect(), nullptr);
    auto second = std::make_unique<CWnd>();
    second->Create("2", WS_POPUP, CRect(), nullptr);
    first.SetFocus();
    EXPECT_EQ(second->SetFocus(), &first);
    EXPECT_EQ(CWnd::GetFocus(), second.get());
    second.reset();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

TEST_F(Placement, TheDesktopAndTheScreensContextAnswerTheScreenSize) {
    CWnd* desktop = CWnd::GetDesktopWindow();
    EXPECT_EQ(rectOf(*desktop), (std::vector<long>{0, 0, 1000, 800}));
    HDC dc = GetDC(desktop->m_hWnd);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1000);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1000);
    EXPECT_EQ(ReleaseDC(desktop->m_hWnd, dc), 1);
    SetScreenSize(640, 480);
    EXPECT_EQ(rectOf(*CWnd::GetDesktopWindow()), (std::vector<long>{0, 0, 640, 480}));

    HWND gone;
    {
        CWnd wnd;
        wnd.Create("w", WS_POPUP, CRect(), nullptr);
        gone = wnd.m_hWnd;
    }
    EXPECT_EQ(GetDC(gone), nullptr);
    EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 0);
}

TEST_F(Placement, EnterAndEscapeInADialogGoToOkAndCancelUnlessAnEntryWantsReturn) {
    KeyDialog dialog;
    CEdit* single = static_cast<CEdit*>(dialog.GetDlgItem(1));
    CEdit* multi = static_cast<CEdit*>(dialog.GetDlgItem(2));
    PostKeyPress(*single, VK_RETURN);
    PostKeyPress(*multi, VK_RETURN);
    PostKeyPress(*multi, VK_ESCAPE);
    PostKeyPress(dialog, VK_ESCAPE);
    velttest::PumpPosted();
    EXPECT_EQ(dialog.ok, 1);
    EXPECT_EQ(dialog.cancel, 2);
    EXPECT_EQ(multi->GetWindowText(), "\r\n");

    CWnd outside;  // keys for other windows are not the dialog's
    outside.Create("o", WS_POPUP, CRect(), nullptr);
    PostKeyPress(outside, VK_RETURN);
    velttest::PumpPosted();
    EXPECT_EQ(dialog.ok, 1);
}
