#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

#include "face_support.h"
#include "veltutil/framework/windows_message_processing.h"
#include "veltutil/platform/host/windows/file_dialog.h"
#include "veltutil/platform/host/windows/message_box.h"

namespace {

constexpr UINT kStep = WM_USER + 2;

template <class Dialog>
Dialog* shownDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

// Presses `button` of the message box once one shows.
void pressWhenShown(QMessageBox::StandardButton button) {
    QTimer::singleShot(20, [button] {
        QMessageBox* box = shownDialog<QMessageBox>();
        if (!box) return pressWhenShown(button);
        box->button(button)->click();
    });
}

// A long computation's window: each step it handles is numbered; step `askAt` asks a question.
class ComputationWindow : public CWnd {
public:
    WPARAM askAt = 0;
    int answer = 0;
    std::vector<WPARAM> steps;
    std::vector<WPARAM> stepsWhileAsking;
    int paintsWhileAsking = 0;
    int deepestYield = 0;
    bool asking = false;
    CWindowsMessageProcessing* processing = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT && asking) ++paintsWhileAsking;
        if (message != kStep) return CWnd::WindowProc(message, wParam, lParam);
        steps.push_back(wParam);
        deepestYield = std::max(deepestYield, processing->GetYieldLevel());
        if (asking) {
            stepsWhileAsking.push_back(wParam);
            Invalidate();
        }
        if (wParam == askAt) {
            asking = true;
            answer = AfxMessageBox("Stop the run?", MB_YESNO | MB_ICONQUESTION);
            asking = false;
        }
        // A handler that yields while a yield runs only lengthens it.
        processing->YieldTime(1);
        return 0;
    }
};

TEST(QtFaceModal, AMessageBoxOpenedWhileALoopYieldsKeepsTheLoopsMessagesInOrder) {
    CWindowsMessageProcessing processing;
    ComputationWindow window;
    window.processing = &processing;
    window.askAt = 5;
    ASSERT_TRUE(window.Create("Run", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr));
    constexpr WPARAM kSteps = 40;
    for (WPARAM i = 0; i < kSteps; ++i) window.PostMessage(kStep, i);
    pressWhenShown(QMessageBox::No);
    // The long loop: it yields until every step was handled.
    for (int turn = 0; turn < 1000 && window.steps.size() < kSteps; ++turn) processing.YieldTime(1);

    EXPECT_EQ(window.answer, IDNO);
    std::vector<WPARAM> expected;
    for (WPARAM i = 0; i < kSteps; ++i) expected.push_back(i);
    EXPECT_EQ(window.steps, expected);
    // The box's own loop kept the window going: steps went on and it repainted.
    ASSERT_FALSE(window.stepsWhileAsking.empty());
    EXPECT_EQ(window.stepsWhileAsking.front(), 6u);
    EXPECT_GT(window.paintsWhileAsking, 0);
    EXPECT_EQ(window.deepestYield, 1);
}

TEST(QtFaceModal, MessageBoxButtonsAndDefaultsAnswerAsTheBoxesType) {
    pressWhenShown(QMessageBox::Retry);
    EXPECT_EQ(MessageBox(nullptr, "Again?", "Run", MB_ABORTRETRYIGNORE), IDRETRY);

    QTimer::singleShot(20, [] {
        QMessageBox* box = shownDialog<QMessageBox>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Run");
        EXPECT_EQ(box->text(), QString::fromUtf8("停止?"));
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->defaultButton()->click();
    });
    EXPECT_EQ(MessageBox(nullptr, "停止?", "Run", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);

    // Closed without a button: Cancel where the box has one.
    QTimer::singleShot(20, [] { shownDialog<QMessageBox>()->reject(); });
    EXPECT_EQ(MessageBox(nullptr, "Save?", "Run", MB_YESNOCANCEL), IDCANCEL);
}

TEST(QtFaceModal, AFileDialogChoosesAFileOrIsCancelled) {
    QTimer::singleShot(20, [] {
        QFileDialog* dialog = shownDialog<QFileDialog>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList({"Decks (*.cir *.net)", "All files (*)"}));
        dialog->selectFile("/tmp/velt_face_deck.cir");
        static_cast<QDialog*>(dialog)->accept();
    });
    CFileDialog save(FALSE, "cir", nullptr, 0, "Decks|*.cir;*.net|All files|*||");
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "/tmp/velt_face_deck.cir");

    QTimer::singleShot(20, [] { shownDialog<QFileDialog>()->reject(); });
    CFileDialog open(TRUE);
    EXPECT_EQ(open.DoModal(), IDCANCEL);
}

}  // namespace
