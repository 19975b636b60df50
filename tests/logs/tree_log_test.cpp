#include <gtest/gtest.h>

#include "../support/recording_snap_in.h"
#include "../support/temp_dir.h"
#include "veltutil/logs/tree_log.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"
#include "veltutil/platform/library/special_output.h"

using velttest::RecordingSnapIn;

namespace {

struct TreeLogTest : ::testing::Test {
    TreeLogTest() {
        parent.Create("p", WS_POPUP, CRect(), nullptr);
        tree.Create(WS_VISIBLE, CRect(0, 0, 200, 200), &parent, 1000);
    }

    CWnd parent;
    CTreeCtrl tree;
    CTreeLog log{"Log", nullptr, &tree};
};

}  // namespace

TEST(TreeLog, WithoutATreeControlWindowAcceptsEveryCallAndDoesNothing) {
    CTreeLog log(nullptr, nullptr, nullptr);
    EXPECT_EQ(log.InsertItem("line", TVI_ROOT), nullptr);
    CTreeCtrl windowless;
    log.SetTreeCtrl(&windowless);
    EXPECT_EQ(log.AddText(0, "line", nullptr, 0), S_FALSE);
    EXPECT_EQ(windowless.GetCount(), 0u);
}

TEST_F(TreeLogTest, NestsLinesUnderTheRelativeRootWithStyleAndExpandedTabs) {
    _TREEITEM* top = log.InsertItem(3, "ab\tc", TVI_ROOT);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(tree.GetItemText(top), "ab  c ");
    EXPECT_EQ(tree.GetItemData(top), 3u);

    EXPECT_EQ(log.SetRelativeRootText(top), TVI_ROOT);
    _TREEITEM* child = nullptr;
    EXPECT_EQ(log.AddText(1, "child", &child, 0), S_OK);
    EXPECT_EQ(tree.GetParentItem(child), top);
    EXPECT_EQ(tree.GetItemState(top, TVIS_EXPANDED), 0u);
    _TREEITEM* second = nullptr;
    log.AddText(0, "second", &second, 1);  // ensure visible: the parent opens
    EXPECT_EQ(tree.GetNextSiblingItem(child), second);
    EXPECT_NE(tree.GetItemState(top, TVIS_EXPANDED), 0u);
    EXPECT_EQ(log.SetRelativeRootText(TVI_ROOT), top);
    EXPECT_NE(log.InsertItem(nullptr, TVI_ROOT), nullptr);  // no text is an empty line

    EXPECT_EQ(log.ExpandTree(top, 0), S_OK);
    EXPECT_EQ(tree.GetItemState(top, TVIS_EXPANDED), 0u);
    EXPECT_EQ(log.ExpandTree(TVI_ROOT, 1), S_FALSE);
}

TEST_F(TreeLogTest, ALineWhoseParentWasDeletedStandsAtTheTopLevel) {
    _TREEITEM* command = log.InsertItem("show XSC1", TVI_ROOT);
    _TREEITEM* kept = log.InsertItem("kept", TVI_ROOT);
    log.SetRelativeRootText(command);
    tree.DeleteItem(command);  // any deletion, not only the window's Clear
    _TREEITEM* line = nullptr;
    EXPECT_EQ(log.AddText(2, "Unable to find instrument: XSC1", &line, 1), S_OK);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(tree.GetNextSiblingItem(kept), line);
    EXPECT_EQ(tree.GetItemData(line), 2u);
    _TREEITEM* later = log.InsertItem("later", command);
    EXPECT_EQ(tree.GetNextSiblingItem(line), later);
    EXPECT_EQ(tree.GetCount(), 3u);
}

TEST_F(TreeLogTest, ForwardsTrimmedPrefixedCommandsToTheSnapIn) {
    log.ExecuteCmd("  ignored without a snap-in");
    RecordingSnapIn snapIn;
    log.AttachSnapIn(&snapIn);
    log.ExecuteCmd(" \t\r\n");
    log.PreappendToSnapInExecuteCmd("inst ");
    log.ExecuteCmd("  show XSC1 \r\n");
    log.SetTreeCtrl(&tree);  // a new control drops the prefix
    log.ExecuteCmd("run");
    EXPECT_EQ(snapIn.ran, (std::vector<std::string>{"inst show XSC1", "run"}));
}

TEST_F(TreeLogTest, CopiesEveryLineToTheActiveSpecialOutputBeforeTabExpansion) {
    TempDir dir;
    std::string path = dir / "special.txt";
    CSpecialOutput& special = CSpecialOutput::GetGlobal();
    ASSERT_TRUE(special.Activate(2, path.c_str()));
    log.AddText(0, "a\tb", nullptr, 0);
    CTreeLog("None", nullptr, nullptr).InsertItem("not copied", TVI_ROOT);
    special.Deactivate(2);
    log.AddText(0, "after", nullptr, 0);
    EXPECT_EQ(ReadFile(path), "a\tb\n");
}
