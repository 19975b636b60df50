#include <gtest/gtest.h>

#include <vector>

#include "tests/support/command_window.h"
#include "tests/support/message_pump.h"
#include "veltutil/platform/host/controls/combo_box.h"
#include "veltutil/platform/host/controls/control_input.h"
#include "veltutil/platform/host/controls/list_box.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace {

struct BoxTest : ::testing::Test {
    BoxTest() {
        velttest::DrainQueue();
        parent.Create("parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr);
    }
    ~BoxTest() override { velttest::DrainQueue(); }

    velttest::CommandWindow parent;
};

std::vector<CString> texts(const CListBox& list) {
    std::vector<CString> all(static_cast<std::size_t>(list.GetCount()));
    for (int i = 0; i < list.GetCount(); ++i) list.GetText(i, all[static_cast<std::size_t>(i)]);
    return all;
}

}  // namespace

TEST_F(BoxTest, ASortedListBoxOrdersIgnoringCaseAndFindsByPrefixFromAfterTheStart) {
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_SORT, CRect(0, 0, 100, 100), &parent, 1));
    for (const char* text : {"beta", "Alpha", "alpha", "Gamma", "apple"}) list.AddString(text);
    EXPECT_EQ(texts(list), (std::vector<CString>{"Alpha", "alpha", "apple", "beta", "Gamma"}));
    EXPECT_EQ(list.FindString(-1, "AL"), 0);
    EXPECT_EQ(list.FindString(0, "al"), 1);
    EXPECT_EQ(list.FindString(1, "al"), 0);  // wraps round
    EXPECT_EQ(list.FindStringExact(-1, "GAMMA"), 4);
    EXPECT_EQ(list.FindStringExact(-1, "gam"), LB_ERR);
    EXPECT_EQ(list.InsertString(9, "x"), LB_ERR);
    EXPECT_EQ(list.DeleteString(5), LB_ERR);
}

TEST_F(BoxTest, ClicksSelectOneItemOrToggleItemsAsTheListBoxKindSays) {
    struct Row { const char* kind; DWORD style; WPARAM secondKeys; std::vector<int> selected; };
    const Row rows[] = {
        {"single", 0, 0, {2}},
        {"multiple", LBS_MULTIPLESEL, 0, {0, 2}},
        {"extended", LBS_EXTENDEDSEL, 0, {2}},
        {"extended with control", LBS_EXTENDEDSEL, MK_CONTROL, {0, 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        parent.Clear();
        CListBox list;
        ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOTIFY | row.style, CRect(0, 0, 100, 100), &parent, 1));
        for (const char* text : {"R1", "R2", "C1"}) list.AddString(text);
        PostItemClick(list, 0);
        PostItemClick(list, 2, row.secondKeys);
        velttest::PumpPosted();
        std::vector<int> selected;
        for (int i = 0; i < list.GetCount(); ++i) {
            if (list.GetSel(i) > 0) selected.push_back(i);
        }
        EXPECT_EQ(selected, row.selected);
        EXPECT_EQ(parent.Codes(), (std::vector<int>{LBN_SELCHANGE, LBN_SELCHANGE}));
        EXPECT_EQ(list.GetCurSel(), 2);
    }
}

TEST_F(BoxTest, DeletingAnItemKeepsTheSelectionOfTheOthers) {
    CListBox multiple;
    ASSERT_TRUE(multiple.Create(WS_VISIBLE | LBS_MULTIPLESEL, CRect(), &parent, 2));
    for (const char* text : {"a", "b", "c"}) multiple.AddString(text);
    multiple.SetSel(-1);
    multiple.DeleteString(1);
    int indices[4] = {};
    EXPECT_EQ(multiple.GetSelItems(4, indices), 2);
    EXPECT_EQ(indices[1], 1);
    EXPECT_EQ(multiple.SetCurSel(0), LB_ERR);  // a single-selection call
}

TEST_F(BoxTest, AComboBoxShowsItsSelectionAndSelectsByPrefixIgnoringCase) {
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(), &parent, 1));
    for (const char* text : {"MV", "kV", "V", "mV"}) combo.AddString(text);
    EXPECT_EQ(combo.SelectString(-1, "mv"), 0);  // "MV": the search ignores case
    EXPECT_EQ(combo.GetWindowText(), "MV");
    EXPECT_EQ(combo.SelectString(0, "m"), 3);
    EXPECT_EQ(combo.SelectString(-1, "x"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 3);
    EXPECT_EQ(combo.SetCurSel(9), CB_ERR);
    EXPECT_EQ(combo.GetWindowText(), "");
    combo.SetCurSel(2);
    combo.DeleteString(0);
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.DeleteString(1);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_TRUE(parent.Codes().empty());  // the program's selections are not announced
}

TEST_F(BoxTest, TypingPicksAnItemOfADropDownListAndEditsTheTextOfADropDown) {
    CComboBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(), &parent, 1));
    for (const char* text : {"GV", "kV", "V", "mV", "MV"}) list.AddString(text);
    list.SetCurSel(2);
    PostTypedText(list, "m");
    velttest::PumpPosted();
    EXPECT_EQ(list.GetWindowText(), "mV");
    PostTypedText(list, "m");  // the next one beginning with m, wrapping
    PostKeyPress(list, VK_HOME);
    PostKeyPress(list, VK_DOWN);
    velttest::PumpPosted();
    EXPECT_EQ(list.GetWindowText(), "kV");
    EXPECT_EQ(parent.Codes(), (std::vector<int>{CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE}));

    parent.Clear();
    CComboBox editable;
    ASSERT_TRUE(editable.Create(WS_VISIBLE | CBS_DROPDOWN, CRect(), &parent, 2));
    editable.AddString("V");
    PostTypedText(editable, "kVx");
    PostKeyPress(editable, VK_BACK);
    velttest::PumpPosted();
    EXPECT_EQ(editable.GetWindowText(), "kV");
    EXPECT_EQ(editable.GetCurSel(), CB_ERR);
    EXPECT_EQ(parent.Codes().size(), 4u);
    EXPECT_EQ(parent.Codes().back(), CBN_EDITCHANGE);
}
