#include <gtest/gtest.h>

#include <vector>

#include "tests/support/message_pump.h"
#include "veltutil/logs/color_list_ctrl.h"
#include "veltutil/logs/dialog_helpers.h"
#include "veltutil/logs/list_box_util.h"
#include "veltutil/logs/value_entry.h"
#include "veltutil/platform/host/controls/control_input.h"
#include "veltutil/platform/host/windows/dialog.h"
#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"
#include "veltutil/platform/host/windows/user_input.h"

// A results dialog as dialog code would write it with the colour list and the dialog helpers,
// driven the way a person uses it.

namespace {

enum ControlId : UINT {
    kResults = 100,
    kHighlightRows,
    kHighlightCells,
    kValue,
    kUnit,
    kAvailable,
    kChosen,
    kAdd,
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const DialogTemplate kResultsDialog{
    "Results",
    "MS Shell Dlg",
    8,
    WS_POPUP | WS_CAPTION | WS_VISIBLE,
    0, 0, 320, 200,
    {
        {"SysListView32", "", kResults, kChild | WS_BORDER | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, 7, 7, 200, 90},
        {"Button", "Rows", kHighlightRows, kChild | BS_AUTORADIOBUTTON | WS_GROUP, 215, 7, 60, 10},
        {"Button", "Cells", kHighlightCells, kChild | BS_AUTORADIOBUTTON, 215, 20, 60, 10},
        {"Edit", "", kValue, kChild | WS_BORDER, 7, 104, 60, 14},
        {"ComboBox", "", kUnit, kChild | CBS_DROPDOWNLIST, 70, 104, 40, 100},
        {"ListBox", "", kAvailable, kChild | WS_BORDER | LBS_MULTIPLESEL | LBS_NOTIFY, 7, 124, 80, 60},
        {"Button", ">>", kAdd, kChild | BS_PUSHBUTTON, 92, 140, 20, 14},
        {"ListBox", "", kChosen, kChild | WS_BORDER | LBS_SORT | LBS_NOTIFY, 117, 124, 80, 60},
        {"Button", "OK", IDOK, kChild | BS_DEFPUSHBUTTON, 263, 179, 50, 14},
    }};

class ResultsDialog : public CDialog {
public:
    CColorListCtrl results;
    double voltage = 0;
    CStringArray parts;

    template <typename T>
    T& Control(UINT id) const {
        return *dynamic_cast<T*>(GetDlgItem(static_cast<int>(id)));
    }

protected:
    BOOL OnInitDialog() override {
        results.SubclassDlgItem(kResults, this);
        results.AddColumn("Node", LVCFMT_LEFT, 40);
        results.AddColumn("Voltage", LVCFMT_RIGHT, 0);
        const char* nodes[] = {"out", "in", "bias"};
        const char* voltages[] = {"2.5", "1.0", "0.7"};
        for (int row = 0; row < 3; ++row) {
            results.AddItem(nodes[row], row, CLParamList::ControlColor, CLParamList::ControlColor);
            results.AddSubItem(row, 1, voltages[row], row, RGB(0, 0, 160), CLParamList::ControlColor);
        }
        highlights_[0] = {CColorListCtrl::HighlightRow, &Control<CButton>(kHighlightRows)};
        highlights_[1] = {CColorListCtrl::HighlightCell, &Control<CButton>(kHighlightCells)};
        exclusiveChoice(CColorListCtrl::HighlightRow, highlights_);
        FillComboBoxAndEditBox(Control<CComboBox>(kUnit), Control<CEdit>(kValue), "V", 1, 1, 1.0);
        for (const char* part : {"R1", "R2", "C1", "L1"}) Control<CListBox>(kAvailable).AddString(part);
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == kHighlightRows || LOWORD(wParam) == kHighlightCells)) {
            results.SetHighlightType(static_cast<CColorListCtrl::Highlight>(highlights_[exclusiveChoice(-1, highlights_)].value));
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kAdd) {
            CListBox& available = Control<CListBox>(kAvailable);
            CStringArray moving;
            CListBoxUtil::GetElements(available, moving, 1);
            CListBoxUtil::AddElements(Control<CListBox>(kChosen), moving);
            CListBoxUtil::RemoveElements(available, moving);
            CWnd* adding[] = {&Control<CButton>(kAdd), nullptr};
            enabledIf(available.GetCount() > 0, adding);
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }

    void OnOK() override {
        ReadComboBoxAndEditBox(Control<CComboBox>(kUnit), Control<CEdit>(kValue), voltage, "V");
        CListBoxUtil::GetElements(Control<CListBox>(kChosen), parts, 0);
        CDialog::OnOK();
    }

private:
    ButtonAssoc highlights_[3] = {{0, nullptr}, {0, nullptr}, {0, nullptr}};
};

}  // namespace

TEST(ResultsDialog, APersonSetsAValueMovesPartsSortsAndReadsTheHighlightedCell) {
    velttest::DrainQueue();
    ResultsDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(kResultsDialog));
    CColorListCtrl& results = dialog.results;
    ASSERT_EQ(dialog.GetDlgItem(kResults), &results);
    EXPECT_EQ(dialog.Control<CComboBox>(kUnit).GetWindowText(), "V");

    PostTypedText(dialog.Control<CComboBox>(kUnit), "k");
    PostKeyPress(dialog.Control<CEdit>(kValue), VK_BACK);
    PostTypedText(dialog.Control<CEdit>(kValue), "4.7");
    PostItemClick(dialog.Control<CListBox>(kAvailable), 1);  // R2
    PostItemClick(dialog.Control<CListBox>(kAvailable), 3);  // L1
    PostClick(dialog.Control<CButton>(kAdd));
    PostClick(dialog.Control<CButton>(kHighlightCells));
    PostCellClick(results, 1, 1);  // the voltage of "in"
    velttest::PumpPostedThroughPreTranslate();

    auto nodes = [&] {
        std::vector<CString> all;
        for (int row = 0; row < results.GetItemCount(); ++row) all.push_back(results.GetItemText(row, 0));
        return all;
    };
    PostColumnClick(results, 0);
    velttest::PumpPostedThroughPreTranslate();
    EXPECT_EQ(nodes(), (std::vector<CString>{"bias", "in", "out"}));
    PostColumnClick(results, 0);
    velttest::PumpPostedThroughPreTranslate();
    EXPECT_EQ(nodes(), (std::vector<CString>{"out", "in", "bias"}));

    // "in" is selected and the voltage column current: only that cell is highlighted.
    CRecordingDC dc;
    results.PrintClient(&dc, PRF_CLIENT);
    std::vector<CString> highlighted;
    for (const DrawRecord& record : dc.Records()) {
        if (record.op == DrawOp::Text && record.bkColor == GetSysColor(COLOR_HIGHLIGHT)) highlighted.push_back(record.text);
    }
    EXPECT_EQ(highlighted, std::vector<CString>{"1.0"});

    PostClick(dialog.Control<CButton>(IDOK));
    velttest::PumpPostedThroughPreTranslate();
    EXPECT_EQ(dialog.GetResult(), IDOK);
    EXPECT_DOUBLE_EQ(dialog.voltage, 4700);
    EXPECT_EQ(std::vector<CString>(dialog.parts.begin(), dialog.parts.end()), (std::vector<CString>{"L1", "R2"}));
    CStringArray left;
    CListBoxUtil::GetElements(dialog.Control<CListBox>(kAvailable), left, 0);
    EXPECT_EQ(std::vector<CString>(left.begin(), left.end()), (std::vector<CString>{"R1", "C1"}));
}
