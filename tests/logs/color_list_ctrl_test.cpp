#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/message_pump.h"
#include "veltutil/logs/color_list_ctrl.h"
#include "veltutil/platform/host/controls/control_input.h"
#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"

namespace {

constexpr COLORREF kBack = RGB(250, 250, 240);
constexpr COLORREF kText = RGB(20, 20, 60);
constexpr COLORREF kHighlight = RGB(0, 90, 200);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr DWORD kControl = CLParamList::ControlColor;

// Three rows (out, in, bias) under Node, Voltage (own colours: red on yellow) and Unit (the
// control's colours); each cell's value is 100 * column + row.
struct ColorListTest : ::testing::Test {
    ColorListTest() {
        velttest::DrainQueue();
        parent.Create("results", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 300), nullptr);
        list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 400, 200), &parent, 7);
        list.SetBackgroundColor(kBack);
        list.SetTextColor(kText);
        list.SetHighlightColor(kHighlight);
        list.AddColumn("Node", LVCFMT_LEFT, 60);
        list.AddColumn("Voltage", LVCFMT_RIGHT, 0);
        list.AddColumn("Unit", LVCFMT_LEFT, 0);
        const char* nodes[] = {"out", "in", "bias"};
        for (int row = 0; row < 3; ++row) {
            list.AddItem(nodes[row], row, kControl, kControl);
            list.AddSubItem(row, 1, "1.0", 100 + row, kRed, kYellow);
            list.AddSubItem(row, 2, "V", 200 + row, kControl, kControl);
        }
    }
    ~ColorListTest() override { velttest::DrainQueue(); }

    // The cell as the control draws it: column 0 is one pixel wider than its label.
    CRect Cell(int row, int column) {
        CRect cell;
        list.GetSubItemRect(row, column, LVIR_LABEL, cell);
        if (column == 0) cell.right += 1;
        return cell;
    }
    static CPoint Centre(const CRect& rect) { return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }
    void Paint() {
        dc.Clear();
        list.PrintClient(&dc, PRF_CLIENT);
    }
    void Click(int row, int column) {
        PostCellClick(list, row, column);
        velttest::PumpPostedThroughPreTranslate();
    }
    void ClickTitle(int column) {
        PostColumnClick(list, column);
        velttest::PumpPosted();
    }
    std::vector<CString> Nodes() const {
        std::vector<CString> nodes;
        for (int row = 0; row < list.GetItemCount(); ++row) nodes.push_back(list.GetItemText(row, 0));
        return nodes;
    }

    CWnd parent;
    CColorListCtrl list;
    CRecordingDC dc;
};

}  // namespace

TEST_F(ColorListTest, ColumnsAreTheirTitlePlus15WideButAtLeastTheMinimum) {
    EXPECT_EQ(list.GetColumnWidth(0), 60);           // 4 * 8 + 15 is below the minimum
    EXPECT_EQ(list.GetColumnWidth(1), 7 * 8 + 15);
    EXPECT_EQ(list.AddColumn("", LVCFMT_LEFT, 30), -1);
    EXPECT_EQ(list.AddColumn("abcde", LVCFMT_LEFT, 30), 3);  // 40 pixels of title
    EXPECT_EQ(list.GetColumnWidth(3), 55);

    list.SetColumnWidth(1, 5);
    list.ResetColumnWidths();
    EXPECT_EQ(list.GetColumnWidth(1), 71);

    EXPECT_EQ(list.ChangeColumn("", 0) + list.ChangeColumn("Net", 4), 0);
    EXPECT_NE(list.ChangeColumn("Net", 0), 0);
}

TEST_F(ColorListTest, CellValuesAreFoundByColumnAndCellChangesGoByPosition) {
    struct Row { int row; int column; long value; };
    const Row rows[] = {{0, 0, 0}, {1, 1, 101}, {2, 2, 202}, {0, 3, -1}, {3, 0, -1}, {0, -1, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.row << "," << row.column);
        EXPECT_EQ(list.GetCellLParam(row.row, row.column), row.value);
    }
    EXPECT_EQ(list.SetCellLParam(1, 2, 77), 0);
    EXPECT_EQ(list.GetCellLParam(1, 2), 77);
    EXPECT_EQ(list.SetCellBkColor(0, 3, kRed), -1);  // no third cell
    EXPECT_EQ(list.SetCellTextColor(0, 0, kRed), -1);
    EXPECT_EQ(list.SetLParam(5, 1), -1);
    EXPECT_EQ(list.SetLParam(2, 9), 0);
    EXPECT_EQ(list.GetCellLParam(2, 0), 9);
}

TEST_F(ColorListTest, EachHighlightModeAndGridDrawsTheCellsInTheirColours) {
    Click(1, 2);  // selects the row "in" and makes "Unit" the current column
    using Highlighted = bool (*)(int row, int column);
    const std::pair<int, Highlighted> modes[] = {
        {CColorListCtrl::HighlightColumn, [](int, int column) { return column == 2; }},
        {CColorListCtrl::HighlightRow, [](int row, int) { return row == 1; }},
        {CColorListCtrl::HighlightCell, [](int row, int column) { return row == 1 && column == 2; }},
        {7, [](int, int) { return false; }},
    };
    for (CColorListCtrl::Grid grid : {CColorListCtrl::NoGrid, CColorListCtrl::SolidGrid, CColorListCtrl::DashedGrid}) {
        for (auto [highlight, highlighted] : modes) {
            SCOPED_TRACE(testing::Message() << "grid " << grid << ", highlight " << highlight);
            list.SetGridType(grid);
            list.SetHighlightType(static_cast<CColorListCtrl::Highlight>(highlight));
            Paint();
            for (int cell = 0; cell < 9; ++cell) {
                int row = cell / 3, column = cell % 3;
                SCOPED_TRACE(testing::Message() << "cell " << row << "," << column);
                CRect rect = Cell(row, column);
                bool lit = highlighted(row, column);
                const DrawRecord* fill = dc.LastAt(DrawOp::Fill, Centre(rect));
                const DrawRecord* text = dc.LastAt(DrawOp::Text, Centre(rect));
                const DrawRecord* border = dc.LastAt(DrawOp::Rectangle, Centre(rect));
                ASSERT_TRUE(fill && text && (border != nullptr) == (grid != CColorListCtrl::NoGrid));
                EXPECT_EQ(fill->brush.lbColor, lit ? kHighlight : kBack);
                EXPECT_EQ(text->textColor, lit ? kBack : column == 1 ? kRed : kText);
                EXPECT_EQ(text->bkColor, lit ? kHighlight : column == 1 ? kYellow : kBack);
                EXPECT_EQ(text->format, DT_SINGLELINE | DT_VCENTER);
                if (grid == CColorListCtrl::NoGrid) {
                    EXPECT_EQ(text->rect, rect);
                    continue;
                }
                EXPECT_EQ(border->rect, CRect(rect.left, rect.top, rect.right, rect.bottom + 1));
                EXPECT_EQ(border->pen.lopnStyle, static_cast<UINT>(grid == CColorListCtrl::SolidGrid ? PS_SOLID : PS_DASH));
                EXPECT_EQ(border->pen.lopnColor, RGB(0, 0, 0));
                EXPECT_EQ(border->brush.lbStyle, BS_NULL);
                int right = grid == CColorListCtrl::SolidGrid ? 2 : 0;
                EXPECT_EQ(text->rect, CRect(rect.left + 2, rect.top + 1, rect.right - right, rect.bottom - 1));
            }
        }
    }
}

TEST_F(ColorListTest, TheSystemHighlightColourIsTheDefault) {
    const int element = COLOR_HIGHLIGHT;
    const COLORREF system = GetSysColor(element), changed = RGB(9, 8, 7);
    SetSysColors(1, &element, &changed);
    CColorListCtrl fresh;
    SetSysColors(1, &element, &system);
    fresh.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 200, 100), &parent, 8);
    fresh.AddColumn("Node", LVCFMT_LEFT, 0);
    fresh.AddItem("out", 0, kControl, kControl);
    fresh.SelectRow(0);
    fresh.PrintClient(&dc, PRF_CLIENT);
    EXPECT_EQ(dc.LastAt(DrawOp::Fill, CPoint(5, 25))->brush.lbColor, changed);
}

TEST_F(ColorListTest, OnlyAChangeOfColumnRepaintsAColumnHighlightingList) {
    for (auto highlight : {CColorListCtrl::HighlightColumn, CColorListCtrl::HighlightRow}) {
        SCOPED_TRACE(highlight);
        list.SetHighlightType(highlight);
        Click(1, 1);
        list.ValidateRect(nullptr);
        Click(1, 2);  // the same row: only the column changes
        EXPECT_EQ(list.GetUpdateRect(nullptr) != FALSE, highlight == CColorListCtrl::HighlightColumn);
        list.ValidateRect(nullptr);
        Click(1, 2);
        EXPECT_FALSE(list.GetUpdateRect(nullptr));
    }
}

TEST_F(ColorListTest, TheColumnUnderAPointEndsAtItsRightEdgeAndNeedsARow) {
    Paint();  // row 0 is drawn at the top of the rows, under the header
    long rowY = Centre(Cell(0, 0)).y;
    struct Row { POINT point; int column; };
    const Row rows[] = {{{60, rowY}, 0}, {{61, rowY}, 1}, {{177, rowY}, 2}, {{178, rowY}, -1}, {{10, 10}, -1}, {{10, 150}, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.point.x << "," << row.point.y);
        EXPECT_EQ(list.GetColumnIndex(row.point), row.column);
    }
}

TEST_F(ColorListTest, TheFirstColumnsTitleSortsAscendingThenDescendingAndMissingRecordsGoFirst) {
    list.SetText("z-out", 0, 0);  // sorting reads the row records' texts
    ClickTitle(0);
    EXPECT_EQ(Nodes(), (std::vector<CString>{"bias", "in", "z-out"}));
    EXPECT_EQ(list.GetCellLParam(0, 1), 102);  // the records moved with their rows
    ClickTitle(0);
    EXPECT_EQ(Nodes(), (std::vector<CString>{"z-out", "in", "bias"}));
    ClickTitle(1);
    list.EnableSort(0);
    ClickTitle(0);
    EXPECT_EQ(Nodes(), (std::vector<CString>{"z-out", "in", "bias"}));

    list.RemoveAllItems();
    for (const char* node : {"b", "\xC3\xA9", "B", "z", "a"}) list.AddItem(node, 0, kControl, kControl);
    list.EnableSort(1);
    ClickTitle(0);  // unsigned bytes, with case
    EXPECT_EQ(Nodes(), (std::vector<CString>{"B", "a", "b", "z", "\xC3\xA9"}));

    long record = static_cast<long>(list.GetItemData(0));
    long control = reinterpret_cast<long>(&list);
    EXPECT_EQ(CColorListCtrl::SortProcedure(0, record, control), -1);
    EXPECT_EQ(CColorListCtrl::SortProcedure(record, 0, control), -1);
    EXPECT_EQ(CColorListCtrl::SortProcedure(record, record, 0), -1);
}

TEST_F(ColorListTest, RowsAreDrawnInTheControlsFontWhichIsGivenBackAfterwards) {
    CFont font;
    font.CreatePointFont(90, "Tahoma");  // 6 pixels per character
    list.SetFont(&font);
    EXPECT_EQ(list.AddColumn("abcde", LVCFMT_LEFT, 0), 3);
    EXPECT_EQ(list.GetColumnWidth(3), 30 + 15);
    Paint();
    const DrawRecord* text = dc.LastAt(DrawOp::Text, Centre(Cell(2, 1)));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->font, &font);
    EXPECT_NE(dc.GetCurrentFont(), &font);
}

TEST_F(ColorListTest, SelectionCallsReportWhatTheyChanged) {
    EXPECT_EQ(list.SelectRow(3), 0);
    EXPECT_EQ(list.SelectAllRows(), 1);
    CDWordArray rows;
    rows.Add(42);
    EXPECT_EQ(list.GetSelectedRows(&rows), 3);
    EXPECT_EQ(std::vector<DWORD>(rows.begin(), rows.end()), (std::vector<DWORD>{0, 1, 2}));
    list.UnselectRow(0);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    EXPECT_EQ(list.GetSelectedRows(nullptr), 2);
    EXPECT_EQ(list.UnselectAllRows(), 1);
    EXPECT_EQ(list.GetSelectedRow(), -1);
}

// The sanitizer build's leak check proves that every record is freed.
TEST_F(ColorListTest, RemovingRowsAndDestroyingTheControlFreeTheirRecords) {
    list.RemoveItem(0);
    EXPECT_EQ(list.GetCellLParam(0, 2), 201);
    auto* doomed = new CColorListCtrl;
    doomed->Create(LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 100, 100), &parent, 2);
    doomed->AddColumn("Node", LVCFMT_LEFT, 0);
    doomed->AddItem("out", 1, 0, 0);
    doomed->AddSubItem(0, 1, "1.0", 2, 0, 0);
    delete doomed;  // with its window still open
    EXPECT_EQ(parent.GetDlgItem(2), nullptr);
    parent.DestroyWindow();
    EXPECT_EQ(list.GetItemCount(), 0);
}
