#include <gtest/gtest.h>

#include "veltutil/logs/color_list_ctrl.h"
#include "veltutil/platform/host/drawing/system_colors.h"

// The sanitizer build's leak check is what proves these free every record; the checks here make
// sure the right records went.

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 8;

struct ColorListMemoryTest : ::testing::Test {
    ColorListMemoryTest() {
        parent.Create("results", WS_POPUP, CRect(0, 0, 800, 600), nullptr);
        list.Create(LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 800, 600), &parent, 1);
        for (int column = 0; column < kColumns; ++column) list.AddColumn(CString("Column ") + char('A' + column), LVCFMT_LEFT, 40);
        for (int row = 0; row < kRows; ++row) {
            list.AddItem("node", row, CLParamList::ControlColor, CLParamList::ControlColor);
            for (int column = 1; column < kColumns; ++column) list.AddSubItem(row, column, "1.5", row, RGB(0, 0, 0), RGB(255, 255, 255));
        }
    }

    CWnd parent;
    CColorListCtrl list;
};

}  // namespace

TEST_F(ColorListMemoryTest, DestroyingTheWindowFreesEveryRecord) {
    ASSERT_EQ(list.GetItemCount(), kRows);
    parent.DestroyWindow();
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ColorListMemoryTest, RemovingRowsOneByOneFreesEachRowsRecords) {
    for (int removed = 0; removed < kRows / 2; ++removed) list.RemoveItem(0);
    EXPECT_EQ(list.GetCellLParam(0, 0), kRows / 2);
    EXPECT_EQ(list.GetCellLParam(0, kColumns - 1), kRows / 2);
    while (list.GetItemCount() > 0) list.RemoveItem(list.GetItemCount() - 1);
}

TEST_F(ColorListMemoryTest, DestroyingTheControlWithItsWindowStillOpenFreesEveryRecord) {
    auto* doomed = new CColorListCtrl;
    doomed->Create(LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 100, 100), &parent, 2);
    doomed->AddColumn("Node", LVCFMT_LEFT, 0);
    doomed->AddItem("out", 1, 0, 0);
    doomed->AddSubItem(0, 1, "1.0", 2, 0, 0);
    delete doomed;
    EXPECT_EQ(parent.GetDlgItem(2), nullptr);
}
