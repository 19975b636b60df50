#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/command_window.h"
#include "tests/support/message_pump.h"
#include "veltutil/logs/dialog_helpers.h"
#include "veltutil/logs/list_box_util.h"
#include "veltutil/logs/value_entry.h"
#include "veltutil/platform/host/windows/cursor.h"
#include "veltutil/platform/host/windows/menu.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/platform/host/loop/win_app.h"

namespace {

struct DialogHelpersTest : ::testing::Test {
    DialogHelpersTest() {
        velttest::DrainQueue();
        parent.Create("dialog", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr);
    }
    ~DialogHelpersTest() override { velttest::DrainQueue(); }

    CWnd parent;
};

struct ValueEntryTest : DialogHelpersTest {
    ValueEntryTest() {
        combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(), &parent, 1);
        edit.Create(WS_VISIBLE, CRect(), &parent, 2);
    }

    std::vector<CString> Entries() const {
        std::vector<CString> entries(static_cast<std::size_t>(combo.GetCount()));
        for (int i = 0; i < combo.GetCount(); ++i) combo.GetLBText(i, entries[static_cast<std::size_t>(i)]);
        return entries;
    }
    // The entry that is exactly `text` (the combo box's own search ignores case).
    void Select(const char* text) {
        std::vector<CString> entries = Entries();
        combo.SetCurSel(static_cast<int>(std::find(entries.begin(), entries.end(), CString(text)) - entries.begin()));
    }

    CComboBox combo;
    CEdit edit;
};

std::vector<CString> strings(const CStringArray& array) { return {array.begin(), array.end()}; }

}  // namespace

TEST_F(DialogHelpersTest, ExclusiveChoiceSetsByValueAndReadsByPosition) {
    CButton buttons[3];
    for (int i = 0; i < 3; ++i) buttons[i].Create("", BS_AUTORADIOBUTTON, CRect(), &parent, static_cast<UINT>(10 + i));
    ButtonAssoc table[] = {{10, &buttons[0]}, {20, &buttons[1]}, {30, &buttons[2]}, {0, nullptr}};
    auto checks = [&] { return std::vector<int>{buttons[0].GetCheck(), buttons[1].GetCheck(), buttons[2].GetCheck()}; };
    EXPECT_EQ(exclusiveChoice(-1, table), -1);
    buttons[1].SetCheck(BST_CHECKED);
    EXPECT_EQ(exclusiveChoice(-1, table), 1);  // a position, not the value 20
    buttons[0].SetCheck(BST_CHECKED);
    EXPECT_EQ(exclusiveChoice(30, table), 30);
    EXPECT_EQ(checks(), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(exclusiveChoice(99, table), -1);
    EXPECT_EQ(checks(), (std::vector<int>{0, 0, 0}));
}

TEST_F(DialogHelpersTest, EnabledIfReachesEveryWindowOfTheList) {
    CWnd a, b;
    a.Create("a", WS_CHILD, CRect(), &parent, 1);
    b.Create("b", WS_CHILD, CRect(), &parent, 2);
    CWnd* windows[] = {&a, &b, nullptr};
    enabledIf(0, windows);
    EXPECT_FALSE(a.IsWindowEnabled() || b.IsWindowEnabled());
    enabledIf(5, windows);
    EXPECT_TRUE(a.IsWindowEnabled() && b.IsWindowEnabled());
}

TEST_F(DialogHelpersTest, ListBoxElementsMoveByExactText) {
    CListBox list;
    list.Create(WS_VISIBLE | LBS_MULTIPLESEL, CRect(), &parent, 1);
    for (const char* text : {"MV", "mV", "kV", "mV"}) list.AddString(text);
    list.SetSel(1);
    list.SetSel(2);
    CStringArray picked;
    picked.Add("stale");
    CListBoxUtil::GetElements(list, picked, 1);
    EXPECT_EQ(strings(picked), (std::vector<CString>{"mV", "kV"}));
    CListBoxUtil::GetElements(list, picked, 0);
    EXPECT_EQ(picked.GetSize(), 4);

    CStringArray gone;
    for (const char* text : {"mV", "GV", "kV"}) gone.Add(text);
    CListBoxUtil::RemoveElements(list, gone);
    CListBoxUtil::GetElements(list, picked, 0);
    EXPECT_EQ(strings(picked), (std::vector<CString>{"MV", "mV"}));

    CListBox sorted;
    sorted.Create(WS_VISIBLE | LBS_SORT, CRect(), &parent, 2);
    CListBoxUtil::AddElements(sorted, gone);
    CListBoxUtil::GetElements(sorted, picked, 0);
    EXPECT_EQ(strings(picked), (std::vector<CString>{"GV", "kV", "mV"}));
}

TEST_F(ValueEntryTest, TheUnitListRunsFromGigaToPicoAndValuesShowWithThePrefixTheyExpandTo) {
    FillComboBoxAndEditBox(combo, edit, "V", 1, 0, 1.0);
    EXPECT_EQ(Entries(), (std::vector<CString>{"GV", "MV", "kV", "V"}));
    EXPECT_EQ(combo.GetWindowText() + edit.GetWindowText(), "V1");
    combo.ResetContent();
    FillComboBoxAndEditBox(combo, edit, "V", 0, 1, 0);
    EXPECT_EQ(Entries(), (std::vector<CString>{"V", "mV", "uV", "nV", "pV"}));
    combo.ResetContent();
    FillComboBoxAndEditBox(combo, edit, "V", 1, 1, 0);
    struct Row { double value; const char* mantissa; const char* unit; };
    const Row rows[] = {
        {0.0047, "4.7", "mV"},  // not MV, although the list's own search would take it
        {3e13, "3e+13", "V"},   // tera is not listed: written whole
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        SetComboBoxAndEditBox(combo, edit, "V", 1, 1, row.value);
        EXPECT_EQ(edit.GetWindowText(), row.mantissa);
        EXPECT_EQ(combo.GetWindowText(), row.unit);
    }
}

TEST_F(ValueEntryTest, ReadingScalesByTheOneLetterPrefixBeforeTheUnit) {
    FillComboBoxAndEditBox(combo, edit, "V", 1, 1, 0);
    combo.AddString("xV");
    combo.AddString("kVV");
    struct Row { const char* text; const char* unit; double value; };
    const Row rows[] = {{"4.7", "kV", 4700}, {"4.7", "MV", 4.7e6}, {"4.7", "mV", 0.0047}, {"4.7", "V", 4.7},
                        {"4.7", "xV", 4.7},  {"4.7", "kVV", 4.7},  {"volts", "kV", 0},   {"2.2e3junk", "pV", 2.2e-9}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.text << " " << row.unit);
        edit.SetWindowText(row.text);
        Select(row.unit);
        double value = -1;
        ReadComboBoxAndEditBox(combo, edit, value, "V");
        EXPECT_DOUBLE_EQ(value, row.value);
    }
}

TEST_F(DialogHelpersTest, TheRightButtonMenuComesFromAnyModuleAndItsCommandGoesToTheMainWindow) {
    const MenuTemplate resource{{{"Trace", 0, MF_POPUP, {{"Delete", 601, MF_STRING, {}}, {"Colour", 602, MF_STRING, {}}}}}};
    auto plugIn = reinterpret_cast<HINSTANCE>(0x7100);
    AfxRegisterMenuResource(plugIn, 310, &resource);
    CWinApp app;
    velttest::CommandWindow main;
    main.Create("main", WS_POPUP | WS_VISIBLE, CRect(), nullptr);
    app.m_pMainWnd = &main;
    SetCursorPos(30, 40);
    std::vector<CString> shown;  // each request: position, flags, then the items
    PopupMenuService previous = SetPopupMenuService([&](const PopupMenuRequest& request) {
        shown.emplace_back().Format("%d,%d,%u,%d", request.x, request.y, request.flags, request.owner == &main);
        for (int i = 0; i < request.menu->GetMenuItemCount(); ++i) {
            request.menu->GetMenuString(static_cast<UINT>(i), shown.emplace_back(), MF_BYPOSITION);
        }
        return 602u;
    });
    rButtonMenu(310);
    rButtonMenu(311);  // no module holds it: nothing is shown
    SetPopupMenuService(std::move(previous));
    EXPECT_TRUE(main.Ids().empty());  // posted, as the menu closes
    velttest::PumpPosted();
    AfxUnregisterResources(plugIn);
    CString where;
    where.Format("30,40,%u,1", TPM_LEFTALIGN | TPM_RIGHTBUTTON);
    EXPECT_EQ(shown, (std::vector<CString>{where, "Delete", "Colour"}));
    EXPECT_EQ(main.Ids(), std::vector<UINT>{602});
}
