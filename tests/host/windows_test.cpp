#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/support/scripted_services.h"
#include "tests/support/message_pump.h"
#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/windows/dialog.h"
#include "veltutil/platform/host/windows/edit.h"
#include "veltutil/platform/host/windows/file_dialog.h"
#include "veltutil/platform/host/windows/menu.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace {

// A parent that records the notifications its controls send.
class ParentWnd : public CWnd {
public:
    struct Command { int id; int code; };
    std::vector<Command> commands;
    std::vector<int> notifications;
    int resizes = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        commands.push_back({LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
        return TRUE;
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
        notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return TRUE;
    }
    void OnSize(UINT, int, int) override { ++resizes; }
};

}  // namespace

TEST(Windows, ChildGeometryVisibilityAndLifetimeFollowTheParent) {
    ParentWnd top;
    ASSERT_TRUE(top.Create("top", WS_POPUP, CRect(100, 50, 400, 250), nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create("child", WS_CHILD | WS_VISIBLE, CRect(10, 20, 60, 40), &top, 7));
    EXPECT_EQ(top.GetDlgItem(7), &child);
    EXPECT_EQ(child.GetTopLevelParent(), &top);

    CRect screen;
    child.GetWindowRect(&screen);
    EXPECT_EQ(screen.left, 110);
    EXPECT_EQ(screen.top, 70);

    EXPECT_FALSE(child.IsWindowVisible());  // the parent is still hidden
    top.ShowWindow(SW_SHOW);
    EXPECT_TRUE(child.IsWindowVisible());

    top.MoveWindow(0, 0, 320, 200);
    top.MoveWindow(5, 5, 320, 200);  // a move without resizing sends no WM_SIZE
    EXPECT_EQ(top.resizes, 1);

    HWND childHandle = child.m_hWnd;
    top.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(childHandle), nullptr);
    EXPECT_FALSE(child.Create("orphan", WS_CHILD, CRect(), &top));
}

TEST(Windows, TypingIntoAnEntryNotifiesEachChangeAndReturnStartsALine) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create("p", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    CEdit entry;
    ASSERT_TRUE(entry.Create(ES_MULTILINE | ES_WANTRETURN | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 5));
    PostTypedText(entry, "ab");
    PostKeyPress(entry, VK_BACK);
    PostTypedText(entry, "c");
    PostKeyPress(entry, VK_RETURN);
    velttest::PumpPosted();
    EXPECT_EQ(entry.GetWindowText(), "ac\r\n");
    ASSERT_EQ(parent.commands.size(), 5u);
    EXPECT_EQ(parent.commands[4].code, EN_CHANGE);
    entry.SetWindowText("");  // a multi-line entry does not report its own text being set
    EXPECT_EQ(parent.commands.size(), 5u);

    CEdit single;
    ASSERT_TRUE(single.Create(WS_VISIBLE, CRect(), &parent, 6));
    PostTypedText(single, "a\rb");
    velttest::PumpPosted();
    EXPECT_EQ(single.GetWindowText(), "ab");
}

TEST(Windows, ClickingARadioButtonUnchecksTheRestOfItsGroupOnly) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create("p", WS_POPUP | WS_VISIBLE, CRect(), nullptr));
    CButton r1, r2, r3, other, push;
    ASSERT_TRUE(r1.Create("1", BS_AUTORADIOBUTTON | WS_GROUP | WS_VISIBLE, CRect(), &parent, 1));
    ASSERT_TRUE(r2.Create("2", BS_AUTORADIOBUTTON | WS_VISIBLE, CRect(), &parent, 2));
    ASSERT_TRUE(r3.Create("3", BS_AUTORADIOBUTTON | WS_VISIBLE, CRect(), &parent, 3));
    ASSERT_TRUE(other.Create("4", BS_AUTORADIOBUTTON | WS_GROUP | WS_VISIBLE, CRect(), &parent, 4));
    ASSERT_TRUE(push.Create("go", BS_PUSHBUTTON | WS_VISIBLE | WS_DISABLED, CRect(), &parent, 5));
    CheckRadioButton(&parent, 1, 3, 1);
    other.SetCheck(BST_CHECKED);

    PostClick(r3);
    PostClick(push);  // disabled: nothing happens
    velttest::PumpPosted();
    EXPECT_EQ(r1.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(other.GetCheck(), BST_CHECKED);
    EXPECT_EQ(GetCheckedRadioButton(&parent, 1, 3), 3);
    ASSERT_EQ(parent.commands.size(), 1u);
    EXPECT_EQ(parent.commands[0].id, 3);
}

// The logs' tests cover appending, parents, data and counts; these are the other positions.
TEST(Windows, TabMovesTheFocusToTheNextVisibleEnabledTabStopOfTheTemplate) {
    constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
    DialogTemplate form{"Tabs", nullptr, 9, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200, 100,
                        {{"Edit", "", 1, kShown | WS_TABSTOP, 4, 4, 80, 12},
                         {"Button", "no stop", 2, kShown, 4, 20, 40, 12},
                         {"Button", "stop", 3, kShown | WS_TABSTOP, 50, 20, 40, 12},
                         {"Edit", "", 4, WS_CHILD | WS_TABSTOP, 4, 40, 80, 12}}};
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(form));
    auto tabFrom = [&](CWnd& wnd) {
        PostKeyPress(wnd, VK_TAB);
        velttest::PumpPosted();
        return CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0;
    };
    EXPECT_EQ(tabFrom(dialog), 1);
    EXPECT_EQ(tabFrom(*dialog.GetDlgItem(1)), 3);
    // The hidden entry is passed over, round to the first.
    EXPECT_EQ(tabFrom(*dialog.GetDlgItem(3)), 1);
    dialog.GetDlgItem(3)->EnableWindow(FALSE);
    dialog.GetDlgItem(4)->ShowWindow(SW_SHOW);
    EXPECT_EQ(tabFrom(*dialog.GetDlgItem(1)), 4);
    // Tab never types into an entry.
    EXPECT_EQ(dialog.GetDlgItem(1)->GetWindowText(), "");
}

TEST(TreeCtrl, InsertsInOrderAndForgetsDeletedItems) {
    CTreeCtrl tree;
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM c = tree.InsertItem("c");
    HTREEITEM b = tree.InsertItem("b", TVI_ROOT, a);
    HTREEITEM first = tree.InsertItem("first", TVI_ROOT, TVI_FIRST);
    HTREEITEM child = tree.InsertItem("child", b);
    HTREEITEM grandchild = tree.InsertItem("grandchild", child);
    std::vector<HTREEITEM> order;
    for (HTREEITEM i = tree.GetRootItem(); i; i = tree.GetNextSiblingItem(i)) order.push_back(i);
    EXPECT_EQ(order, (std::vector<HTREEITEM>{first, a, b, c}));
    EXPECT_EQ(tree.InsertItem("x", TVI_ROOT, child), nullptr);  // `after` must be a child of parent

    tree.SelectItem(grandchild);
    EXPECT_TRUE(tree.DeleteItem(b));
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    HTREEITEM reused = tree.InsertItem("reused");  // takes the place of a deleted item
    EXPECT_FALSE(tree.SetItemText(child, "gone"));
    EXPECT_EQ(tree.InsertItem("x", grandchild), nullptr);
    EXPECT_TRUE(reused != b && reused != child && reused != grandchild);
}

TEST(TreeCtrl, DoubleClickOnARowSelectsItsItemAndTellsTheParent) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create("p", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr));
    CTreeCtrl tree;
    // Three rows fit in the window.
    ASSERT_TRUE(tree.Create(WS_VISIBLE, CRect(0, 0, 200, 3 * CTreeCtrl::ItemHeight), &parent, 1000));
    HTREEITEM top = tree.InsertItem("top");
    HTREEITEM hidden = tree.InsertItem("hidden", top);
    std::vector<HTREEITEM> rows;
    for (int i = 0; i < 5; ++i) rows.push_back(tree.InsertItem("row"));

    EXPECT_FALSE(PostDoubleClick(tree, hidden));  // its parent is collapsed
    tree.EnsureVisible(hidden);
    EXPECT_NE(tree.GetItemState(top, TVIS_EXPANDED), 0u);
    tree.EnsureVisible(rows[4]);
    EXPECT_EQ(tree.GetFirstVisibleItem(), rows[2]);  // rows 2, 3 and 4 are on screen
    EXPECT_FALSE(PostDoubleClick(tree, rows[1]));

    ASSERT_TRUE(PostDoubleClick(tree, rows[3]));
    velttest::PumpPosted();
    EXPECT_EQ(tree.GetSelectedItem(), rows[3]);
    ASSERT_EQ(parent.notifications.size(), 1u);
    EXPECT_EQ(parent.notifications[0], NM_DBLCLK);
}

TEST(TreeCtrl, APressOnAnItemsButtonOpensOrClosesItAndSelectsNothing) {
    CWnd parent;
    ASSERT_TRUE(parent.Create("p", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 100), &parent, 1));
    HTREEITEM top = tree.InsertItem("top");
    tree.InsertItem("child", top);
    HTREEITEM leaf = tree.InsertItem("leaf");
    auto press = [&](int x, int row) {
        tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, row * CTreeCtrl::ItemHeight + 4));
        velttest::PumpPosted();
    };
    press(CTreeCtrl::Indent / 2, 0);
    EXPECT_NE(tree.GetItemState(top, TVIS_EXPANDED), 0u);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    press(CTreeCtrl::Indent - 1, 0);
    EXPECT_EQ(tree.GetItemState(top, TVIS_EXPANDED), 0u);
    // Past the button, and before an item without children, a press selects.
    press(CTreeCtrl::Indent, 0);
    EXPECT_EQ(tree.GetSelectedItem(), top);
    EXPECT_EQ(tree.GetItemState(top, TVIS_EXPANDED), 0u);
    press(CTreeCtrl::Indent / 2, 1);
    EXPECT_EQ(tree.GetSelectedItem(), leaf);
}

// Choosing, cancelling and the default extension are covered by the command log's Save.
TEST(ModalServices, AnExistingFileIsOverwrittenOnlyWhenTheUserSaysSo) {
    auto existing = std::filesystem::temp_directory_path() / "velt_file_dialog_test.log";
    std::ofstream(existing) << "x";
    {
        ScriptedFileDialogs dialogs;
        ScriptedMessageBoxes boxes;
        dialogs.Choose(existing.c_str());
        dialogs.Choose(existing.c_str());
        boxes.Answer(IDNO);
        boxes.Answer(IDYES);
        CFileDialog save(FALSE, ".log", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Logs (*.log)|*.log||");
        EXPECT_EQ(save.DoModal(), IDCANCEL);  // the overwrite question was answered No
        EXPECT_EQ(save.DoModal(), IDOK);
        ASSERT_EQ(boxes.Requests().size(), 2u);
        EXPECT_NE(boxes.Requests()[0].text.Find("already exists"), -1);
    }
    std::filesystem::remove(existing);
}

TEST(ModalServices, NobodyChoosesFromAPopupMenuAndAnInnerScriptHandsBackToTheOuter) {
    CMenu menu;
    menu.AppendMenu(MF_STRING, 7, "Seven");
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, nullptr), TRUE);  // shown, nothing chosen

    ScriptedPopupMenus outer;
    outer.Answer(7);
    {
        ScriptedPopupMenus inner;
        EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0);
    }
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 3, 4, nullptr), 7);
}
