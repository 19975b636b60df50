#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "face_support.h"
#include "tests/support/recording_snap_in.h"
#include "tests/support/scripted_services.h"
#include "tests/support/temp_dir.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/resources/dialog_ids.h"

namespace {

using namespace veltutil::detail;
using velttest::PumpPosted;
using velttest::WidgetOf;

// Whether anything but the background is drawn in the strip of the tree's first row.
bool firstRowInked(QWidget& tree) {
    QImage shot = tree.grab().toImage();
    QColor background = tree.palette().color(QPalette::Base);
    for (int y = 2; y < CTreeCtrl::ItemHeight - 2; ++y) {
        for (int x = CTreeCtrl::Indent; x < shot.width() - 2; ++x) {
            if (shot.pixelColor(x, y) != background) return true;
        }
    }
    return false;
}

struct LogWindowFace : ::testing::Test {
    LogWindowFace() {
        EXPECT_EQ(log.Initialize(nullptr), S_OK);
        dialog = log.GetDialog();
    }

    QWidget& Widget(UINT id) const { return *WidgetOf(*dialog->GetDlgItem(static_cast<int>(id))); }
    QAbstractButton& Button(UINT id) const { return static_cast<QAbstractButton&>(Widget(id)); }
    // At the button's left, where a check mark's box is.
    void ClickOn(UINT id) {
        QTest::mouseClick(&Widget(id), Qt::LeftButton, {}, QPoint(6, Widget(id).height() / 2));
        PumpPosted();
    }

    CCmdLog log{"命令行/日志", nullptr};
    CCmdLogDlg* dialog = nullptr;
};

TEST_F(LogWindowFace, ACommandTypedWithRealKeysAndReturnReachesTheSnapInAndTheTree) {
    velttest::RecordingSnapIn snapIn;
    snapIn.during = [&](const std::string& command) { log.AddText(0, ("ran " + command).c_str(), nullptr, 1); };
    log.AttachSnapIn(&snapIn);
    log.Show(1);
    QWidget* window = WidgetOf(*dialog);
    auto* entry = qobject_cast<QPlainTextEdit*>(&Widget(IDC_LOG_COMMAND));
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("命令行/日志"));
    // The caption's icon is the page of lines the library registered: its corner is dark.
    QImage icon = window->windowIcon().pixmap(16, 16).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(32, 32, 32));
    EXPECT_EQ(icon.pixelColor(1, 1), QColor(255, 255, 255));
    EXPECT_EQ(window->focusWidget(), entry);
    QWidget& tree = Widget(IDC_LOG_TREE);
    EXPECT_FALSE(firstRowInked(tree));

    QTest::keyClicks(entry, "show XSC1");
    // Typing changes the control first; the widget only shows what the control took.
    EXPECT_EQ(entry->toPlainText(), "");
    PumpPosted();
    EXPECT_EQ(entry->toPlainText(), "show XSC1");
    EXPECT_EQ(dialog->GetCommandEntry()->GetWindowText(), "show XSC1");

    QTest::keyClick(entry, Qt::Key_Return);
    PumpPosted();
    EXPECT_EQ(snapIn.ran, std::vector<std::string>{"show XSC1"});
    EXPECT_EQ(entry->toPlainText(), "");
    CString line = dialog->GetTree()->GetItemText(dialog->GetTree()->GetRootItem());
    EXPECT_EQ(line.Left(13), "ran show XSC1");
    EXPECT_TRUE(firstRowInked(tree));

    // The tree asks for its selection to show while the keyboard is elsewhere.
    ASSERT_EQ(window->focusWidget(), entry);
    dialog->GetTree()->SelectItem(dialog->GetTree()->GetRootItem());
    QColor background = tree.palette().color(QPalette::Base);
    EXPECT_NE(tree.grab().toImage().pixelColor(CTreeCtrl::Indent + 3, 1), background);

    // A line double-clicked on the screen goes into the entry, as the control's own click does.
    RECT row;
    ASSERT_TRUE(dialog->GetTree()->GetItemRect(dialog->GetTree()->GetRootItem(), &row, TRUE));
    QTest::mouseDClick(&tree, Qt::LeftButton, {}, QPoint(static_cast<int>(row.left) + 4, static_cast<int>(row.top) + 4));
    PumpPosted();
    EXPECT_EQ(entry->toPlainText(), QString::fromUtf8(line.GetString()));
}

TEST_F(LogWindowFace, TabFollowsTheTemplateAndTheWindowComesBackWithTheKeyboardInItsEntry) {
    velttest::RecordingSnapIn snapIn;
    log.AttachSnapIn(&snapIn);
    log.Show(1);
    QWidget* window = WidgetOf(*dialog);
    // From the entry, past the hidden detail level and advisor, round to the tree.
    const UINT order[] = {IDC_LOG_NEW, IDC_LOG_SAVE, IDC_LOG_TREE, IDC_LOG_COMMAND};
    for (UINT id : order) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        PumpPosted();
        EXPECT_EQ(CWnd::GetFocus(), dialog->GetDlgItem(static_cast<int>(id))) << id;
        EXPECT_EQ(window->focusWidget(), &Widget(id)) << id;
    }
    // A key pressed on a control's widget is that control's, wherever the keyboard was.
    QTest::keyClick(&Widget(IDC_LOG_NEW), Qt::Key_Tab);
    PumpPosted();
    EXPECT_EQ(CWnd::GetFocus(), dialog->GetDlgItem(static_cast<int>(IDC_LOG_SAVE)));

    // Escape hides the window (its OnCancel); shown again it has the keyboard in its entry.
    QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
    PumpPosted();
    EXPECT_FALSE(window->isVisible());
    log.Show(1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->focusWidget(), &Widget(IDC_LOG_COMMAND));
    EXPECT_EQ(CWnd::GetFocus(), dialog->GetCommandEntry());
}

TEST_F(LogWindowFace, RadioButtonsSetTheDetailLevelAndSaveWritesTheFile) {
    log.InsertItem("top", TVI_ROOT);
    log.Show(1);
    EXPECT_TRUE(Button(IDC_LOG_FULL).isChecked());

    QTest::mouseClick(&Button(IDC_LOG_SIMPLE), Qt::LeftButton, {}, QPoint(6, Button(IDC_LOG_SIMPLE).height() / 2));
    // The mark moves when the control has taken the click, not before.
    EXPECT_FALSE(Button(IDC_LOG_SIMPLE).isChecked());
    PumpPosted();
    EXPECT_EQ(dialog->GetDetailLevel(), 0);
    EXPECT_TRUE(Button(IDC_LOG_SIMPLE).isChecked());
    EXPECT_FALSE(Button(IDC_LOG_FULL).isChecked());
    ClickOn(IDC_LOG_NONE);
    EXPECT_EQ(dialog->GetDetailLevel(), 2);
    EXPECT_FALSE(Button(IDC_LOG_SIMPLE).isChecked());

    TempDir dir;
    std::string path = dir / "saved.log";
    ScriptedFileDialogs files;
    files.Choose(path.c_str());
    ClickOn(IDC_LOG_SAVE);
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), dialog->FormatLines().GetString());
    EXPECT_EQ(text.str().substr(0, 3), "top");
}

TEST_F(LogWindowFace, EnterInAWindowsSingleLineEntryIsItsOk) {
    struct Asked : CDialog {
        int oks = 0;
        void OnOK() override { ++oks; }
    } asked;
    DialogTemplate form{"Ask", "Noto Sans", 9, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 120, 40,
                        {{"Edit", "", 7, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 4, 4, 100, 12}}};
    ASSERT_TRUE(asked.CreateIndirect(form));
    QWidget* entry = WidgetOf(*asked.GetDlgItem(7));
    QTest::keyClicks(entry, "v");
    QTest::keyClick(entry, Qt::Key_Return);
    PumpPosted();
    EXPECT_EQ(static_cast<QLineEdit*>(entry)->text(), "v");
    EXPECT_EQ(asked.oks, 1);
    EXPECT_EQ(asked.GetDlgItem(7)->GetWindowText(), "v");
}

}  // namespace
