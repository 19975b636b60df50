#include <gtest/gtest.h>

#include <vector>

#include "tests/support/message_pump.h"
#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/controls/control_input.h"
#include "veltutil/platform/host/controls/list_ctrl.h"
#include "veltutil/platform/host/windows/dialog.h"
#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"

namespace {

constexpr UINT kListId = 40;

// A parent that records the list notifications it gets.
class ParentWnd : public CWnd {
public:
    std::vector<int> columnClicks;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
        const auto* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (click->hdr.code == LVN_COLUMNCLICK) columnClicks.push_back(click->iSubItem);
        return TRUE;
    }
};

// Records the rows it is asked to draw; can take column clicks for itself.
class DrawnList : public CListCtrl {
public:
    std::vector<UINT> drawn;
    std::vector<UINT> selectedStates;
    bool takeColumnClicks = false;
    int columnClicksTaken = 0;

    void DrawItem(LPDRAWITEMSTRUCT item) override {
        drawn.push_back(item->itemID);
        selectedStates.push_back(item->itemState & ODS_SELECTED);
    }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_NOTIFY && takeColumnClicks) {
            ++columnClicksTaken;
            return TRUE;
        }
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    }
};

struct ListCtrlTest : ::testing::Test {
    ListCtrlTest() {
        velttest::DrainQueue();
        parent.Create("parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr);
        // The header and four rows fit: 20 + 4 * 16 pixels.
        list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 300, 84), &parent, kListId);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Value", LVCFMT_RIGHT, 60);
        for (const char* name : {"c", "a", "d", "b", "e", "f"}) list.InsertItem(list.GetItemCount(), name);
    }
    ~ListCtrlTest() override { velttest::DrainQueue(); }

    std::vector<CString> Names() const {
        std::vector<CString> names;
        for (int row = 0; row < list.GetItemCount(); ++row) names.push_back(list.GetItemText(row, 0));
        return names;
    }

    ParentWnd parent;
    DrawnList list;
};

}  // namespace

TEST_F(ListCtrlTest, CellsLieUnderTheHeaderSideBySideAndHitTestingFindsTheirRow) {
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_LABEL, cell));
    EXPECT_EQ(cell, CRect(100, 20 + 2 * 16, 160, 20 + 3 * 16));
    EXPECT_EQ(list.HitTest(CPoint(150, 20 + 2 * 16)), 2);
    EXPECT_EQ(list.HitTest(CPoint(160, 40)), -1);  // right of the last column
    EXPECT_EQ(list.HitTest(CPoint(10, 19)), -1);   // on the header
    EXPECT_EQ(list.InsertColumn(9, "Unit"), 2);    // past the end: appended, as wide as its title
    EXPECT_EQ(list.GetColumnWidth(2), 4 * 8);
    EXPECT_FALSE(list.SetItemText(0, 3, "no column"));

    list.EnsureVisible(5, FALSE);  // four rows per page: rows 2 to 5 show
    EXPECT_EQ(list.GetTopIndex(), 2);
    EXPECT_EQ(list.HitTest(CPoint(10, 21)), 2);
}

TEST_F(ListCtrlTest, SortingIsStableKeepsRowStateAndSurvivesAnInconsistentComparison) {
    for (int row = 0; row < list.GetItemCount(); ++row) list.SetItemData(row, static_cast<DWORD_PTR>(list.GetItemText(row, 0)[0]));
    list.SetItemData(4, 'a');  // "e" now ties with "a" and must stay after it
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    auto byData = [](LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); };
    ASSERT_TRUE(list.SortItems(byData, 0));
    EXPECT_EQ(Names(), (std::vector<CString>{"a", "e", "b", "c", "d", "f"}));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);  // "b" kept its selection

    auto alwaysFirst = [](LPARAM, LPARAM, LPARAM) { return -1; };
    ASSERT_TRUE(list.SortItems(alwaysFirst, 0));
    EXPECT_EQ(list.GetItemCount(), 6);
}

TEST_F(ListCtrlTest, AClickSelectsItsRowAloneAControlClickTogglesAndAClickBesideClears) {
    PostCellClick(list, 1, 1);
    PostCellClick(list, 3, 0, MK_CONTROL);
    velttest::PumpPosted();
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 3);

    PostCellClick(list, 2, 0);
    velttest::PumpPosted();
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);

    list.PostMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(250, 30));  // beside the columns
    velttest::PumpPosted();
    EXPECT_EQ(list.GetSelectedCount(), 0u);

    list.ModifyStyle(0, LVS_SINGLESEL);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
}

TEST_F(ListCtrlTest, AColumnTitleClickReachesTheParentUnlessTheListTakesItsReflection) {
    PostColumnClick(list, 1);
    velttest::PumpPosted();
    EXPECT_EQ(parent.columnClicks, std::vector<int>{1});

    list.takeColumnClicks = true;
    PostColumnClick(list, 0);
    velttest::PumpPosted();
    EXPECT_EQ(list.columnClicksTaken, 1);
    EXPECT_EQ(parent.columnClicks.size(), 1u);

    DrawnList plain;
    plain.Create(WS_VISIBLE | LVS_REPORT | LVS_NOSORTHEADER, CRect(0, 100, 300, 200), &parent, kListId + 1);
    plain.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    PostColumnClick(plain, 0);
    velttest::PumpPosted();
    EXPECT_EQ(parent.columnClicks.size(), 1u);
}

TEST_F(ListCtrlTest, PaintingAsksTheParentToDrawEachVisibleRowThroughDrawItem) {
    list.EnsureVisible(4, FALSE);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    CDC dc;
    list.PrintClient(&dc, PRF_CLIENT);
    EXPECT_EQ(list.drawn, (std::vector<UINT>{1, 2, 3, 4}));
    EXPECT_EQ(list.selectedStates, (std::vector<UINT>{0, ODS_SELECTED, 0, 0}));

    DrawnList orphan;  // no parent to ask
    orphan.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 100, 100), nullptr, 0);
    orphan.InsertItem(0, "x");
    orphan.PrintClient(&dc, PRF_CLIENT);
    EXPECT_TRUE(orphan.drawn.empty());
}

TEST_F(ListCtrlTest, AListWithoutOwnerDrawingDrawsItsTextsSelectedRowsInTheHighlightColours) {
    CListCtrl plain;
    plain.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, kListId + 2);
    plain.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    plain.InsertColumn(1, "Value", LVCFMT_RIGHT, 60);
    plain.InsertItem(0, "R1");
    plain.SetItemText(0, 1, "4.7k");
    plain.InsertItem(1, "R2");
    plain.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    CRecordingDC dc;
    plain.PrintClient(&dc, PRF_CLIENT | PRF_ERASEBKGND);
    const DrawRecord* value = dc.LastAt(DrawOp::Text, CPoint(130, 28));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->text, "4.7k");
    EXPECT_EQ(value->format & DT_RIGHT, DT_RIGHT);
    const DrawRecord* selected = dc.LastAt(DrawOp::Text, CPoint(10, 44));
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->bkColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(dc.Records().front().op, DrawOp::Fill);  // the background went first
}

TEST(DialogItems, ATakenOverItemKeepsItsPlaceIdAndRectangle) {
    const DialogTemplate dialogTemplate{"d", "MS Shell Dlg", 8, WS_POPUP, 0, 0, 200, 100,
                                        {{"Button", "a", 1, WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10, 10},
                                         {"SysListView32", "", 2, WS_VISIBLE | LVS_REPORT, 10, 10, 100, 50},
                                         {"Button", "b", 3, WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10, 10}}};
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(dialogTemplate));
    auto* fromTemplate = dynamic_cast<CListCtrl*>(dialog.GetDlgItem(2));
    ASSERT_NE(fromTemplate, nullptr);
    CRect placed;
    fromTemplate->GetWindowRect(&placed);

    DrawnList own;
    ASSERT_TRUE(own.SubclassDlgItem(2, &dialog));
    EXPECT_EQ(dialog.GetDlgItem(2), &own);
    EXPECT_EQ(dialog.GetChildren()[1], &own);
    EXPECT_EQ(fromTemplate->GetSafeHwnd(), nullptr);
    CRect taken;
    own.GetWindowRect(&taken);
    EXPECT_EQ(taken, placed);
    EXPECT_NE(own.GetHeaderCtrl(), nullptr);
    EXPECT_FALSE(own.SubclassDlgItem(2, &dialog));  // has a window already
}
