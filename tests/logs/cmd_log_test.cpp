#include <gtest/gtest.h>

#include <vector>

#include "tests/support/scripted_services.h"
#include "../support/temp_dir.h"
#include "../support/message_pump.h"
#include "../support/recording_snap_in.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/platform/host/windows/file_dialog.h"
#include "veltutil/platform/host/windows/system_metrics.h"
#include "veltutil/platform/host/windows/user_input.h"
#include "veltutil/platform/host/loop/win_app.h"
#include "veltutil/platform/host/windows/win_help.h"
#include "veltutil/platform/library/help_registration.h"

using velttest::PumpPosted;
using velttest::RecordingSnapIn;

namespace {

enum ControlId { kSave = 1002, kNew = 1003, kAdvisor = 1004, kFull = 1084, kSimple = 1085, kNone = 1088 };

struct CmdLogTest : ::testing::Test {
    CmdLogTest() {
        EXPECT_EQ(log.Initialize(nullptr), S_OK);
        dialog = log.GetDialog();
        tree = dialog->GetTree();
        entry = dialog->GetCommandEntry();
    }
    ~CmdLogTest() override { SetScreenSize(1280, 1024); }

    CWnd* Control(int id) const { return dialog->GetDlgItem(id); }
    void Click(int id) {
        PostClick(*Control(id));
        PumpPosted();
    }

    CCmdLog log{"Simulation Error Log/Audit Trail", nullptr};
    CCmdLogDlg* dialog = nullptr;
    CTreeCtrl* tree = nullptr;
    CEdit* entry = nullptr;
};

}  // namespace

TEST_F(CmdLogTest, WindowIsBuiltFromDialog130AndTheResourceModuleIsRestored) {
    HINSTANCE before = AfxGetResourceHandle();
    CCmdLog second("second", nullptr);
    ASSERT_EQ(second.Initialize(nullptr), S_OK);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(second.Initialize(nullptr), S_FALSE);

    EXPECT_EQ(GetCheckedRadioButton(dialog, kFull, kNone), kFull);

    EXPECT_EQ(log.SetCmdLogName("Velt Debug Log"), S_OK);
    EXPECT_EQ(dialog->GetWindowText(), "Velt Debug Log");
    EXPECT_EQ(log.Uninitialize(), S_OK);
    EXPECT_EQ(log.Uninitialize() + log.Show(1) + log.AddText(0, "no window", nullptr, 0), 3 * S_FALSE);
}

TEST_F(CmdLogTest, FirstShowPlacesTheWindowClosingHidesItAndASnapInShowsTheEntry) {
    SetScreenSize(1000, 800);
    EXPECT_EQ(log.Show(1), S_OK);
    CRect rect;
    dialog->GetWindowRect(&rect);
    EXPECT_EQ((std::vector<long>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<long>{610, 180, 1000, 400}));
    EXPECT_FALSE(entry->IsWindowVisible());

    dialog->MoveWindow(5, 6, 500, 300);
    PostClose(*dialog);
    PumpPosted();
    EXPECT_EQ(log.GetShown(), 0);
    log.Show(1);
    dialog->GetWindowRect(&rect);
    EXPECT_EQ(rect.left, 5);  // placed only the first time

    RecordingSnapIn snapIn;
    log.AttachSnapIn(&snapIn);
    EXPECT_TRUE(entry->IsWindowVisible() && !Control(kFull)->IsWindowVisible());
}

TEST_F(CmdLogTest, TypedLineReachesTheSnapInOnceAndADoubleClickedLineFillsTheEntry) {
    RecordingSnapIn snapIn;
    log.AttachSnapIn(&snapIn);
    log.PreappendToSnapInExecuteCmd("sim ");
    log.Show(1);
    PostTypedText(*entry, "  show XSC1 ");
    PostKeyPress(*entry, VK_RETURN);
    PumpPosted();
    EXPECT_EQ(entry->GetWindowText(), "");

    PostTypedText(*entry, "do ");
    ASSERT_TRUE(PostDoubleClick(*tree, log.InsertItem("print V(1)", TVI_ROOT)));
    PumpPosted();
    EXPECT_EQ(entry->GetWindowText(), "do print V(1)  ");  // the line as the log shows it, tabs expanded
    EXPECT_EQ(snapIn.ran, std::vector<std::string>{"sim show XSC1"});
}

TEST_F(CmdLogTest, DetailLevelDecidesWhichStylesAreWanted) {
    log.Show(1);
    auto checked = [&] { return std::vector<int>{log.IsChecked(0), log.IsChecked(1), log.IsChecked(2), log.IsChecked(3)}; };
    Click(kSimple);
    EXPECT_EQ(checked(), (std::vector<int>{1, 0, 0, 1}));
    Click(kNone);
    EXPECT_EQ(checked(), (std::vector<int>{0, 0, 0, 0}));
    Click(kFull);
    EXPECT_EQ(checked(), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(CCmdLog("no window", nullptr).IsChecked(2), 1);
}

TEST_F(CmdLogTest, SaveWritesTheIndentedTreeAndReportsAnUnwritablePath) {
    _TREEITEM* top = log.InsertItem("top", TVI_ROOT);
    _TREEITEM* child = log.InsertItem("child\tone", top);
    log.InsertItem("grandchild", child);
    log.InsertItem("second child", top);
    log.InsertItem("last", TVI_ROOT);
    log.Show(1);

    TempDir dir;
    std::string path = dir / "saved";
    ScriptedFileDialogs files;
    ScriptedMessageBoxes boxes;
    files.Choose(path.c_str());
    files.Choose("/nonexistent-folder/x.log");
    files.Cancel();
    Click(kSave);
    // Tab expansion pads each piece of a line by its length modulo 4.
    EXPECT_EQ(ReadFile(path + ".log"), "top   \n|   child one   \n|   |   grandchild  \n|   second child\nlast\n");
    EXPECT_EQ(files.Requests()[0].flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);

    Click(kSave);
    Click(kSave);  // cancelled: nothing asked, nothing written
    ASSERT_EQ(boxes.Requests().size(), 1u);
    EXPECT_EQ(boxes.Requests()[0].text, "无法打开:  /nonexistent-folder/x.log");

    Click(kNew);
    EXPECT_EQ(tree->GetCount(), 0u);
}

TEST_F(CmdLogTest, AdvisorOpensTheHelpContextOfTheSelectedMessageOrTheContents) {
    log.Show(1);
    _TREEITEM* timestep = log.InsertItem("ERROR: TIMESTEP TOO SMALL at t=1e-9", TVI_ROOT);
    _TREEITEM* both = log.InsertItem("Error: too few nodes for BJT model q1", TVI_ROOT);
    _TREEITEM* plain = log.InsertItem("all fine", TVI_ROOT);
    RecordedHelpRequests help;
    Click(kAdvisor);  // nothing selected
    for (_TREEITEM* item : {timestep, both, plain}) {
        tree->SelectItem(item);
        Click(kAdvisor);
    }
    std::vector<std::uintptr_t> contexts;
    for (const WinHelpRequest& request : help.Requests()) contexts.push_back(request.command == HELP_CONTENTS ? 0 : request.data);
    EXPECT_EQ(contexts, (std::vector<std::uintptr_t>{0, 2004, 2013, 0}));  // "BJT model" comes first in the table
    EXPECT_TRUE(help.Requests()[1].helpFile.view().ends_with("/Analyses.hlp"));
}

TEST_F(CmdLogTest, F1RegistersTheLibraryForHelpWithTheDialogsHelpId) {
    CWinApp app;
    RecordedHelpRequests help;
    log.Show(1);
    PostKeyPress(*tree, VK_F1);
    PumpPosted();
    EXPECT_EQ(GetHelpDllInstance().helpId, 130u | 0x6600u);
    ASSERT_EQ(help.Requests().size(), 1u);
    EXPECT_EQ(help.Requests()[0].data, HID_BASE_RESOURCE + 130);

    RecordingSnapIn snapIn;
    log.AttachSnapIn(&snapIn);
    PostKeyPress(*entry, VK_F1);
    PumpPosted();
    EXPECT_EQ(GetHelpDllInstance().helpId, 130u);
}
