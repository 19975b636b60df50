#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

// How long a check waits for a dialog to show, or for one it acted on to close, before it
// fails and rejects the dialog, so that a dialog that ignores the action cannot hang the run.
constexpr int kGiveUpMs = 10000;

void giveUp(QDialog* stuck, const char* why) {
    ADD_FAILURE() << why;
    if (!stuck) stuck = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (stuck) stuck->reject();
}

template <class Dialog>
void pollForDialog(std::function<void(Dialog&)> action, std::function<bool()> ready, QDeadlineTimer readyBy,
                   QDeadlineTimer shownBy) {
    QTimer::singleShot(10, [=] {
        Dialog* dialog = shownDialog<Dialog>();
        if (!dialog && shownBy.hasExpired()) return giveUp(nullptr, "no dialog of the kind awaited showed");
        if (!dialog || (!ready() && !readyBy.hasExpired())) return pollForDialog<Dialog>(action, ready, readyBy, shownBy);
        action(*dialog);
        QTimer::singleShot(kGiveUpMs, [acted = QPointer<Dialog>(dialog)] {
            if (acted && acted->isVisible()) giveUp(acted, "the dialog stayed open after the action");
        });
    });
}

// Acts on the dialog once one shows and `ready` holds, or after about two seconds whatever
// holds; the action runs inside the wait of the dialog's modal loop.
template <class Dialog>
void actWhenShown(std::function<void(Dialog&)> action, std::function<bool()> ready = [] { return true; }) {
    pollForDialog<Dialog>(action, ready, QDeadlineTimer(2000), QDeadlineTimer(kGiveUpMs));
}

void pressWhenShown(QMessageBox::StandardButton button, std::function<bool()> ready = [] { return true; }) {
    actWhenShown<QMessageBox>([button](QMessageBox& box) { box.button(button)->click(); }, ready);
}

// A long computation's window: each step it handles is numbered; step `askAt` asks a question.
class ComputationWindow : public CWnd {
public:
    WPARAM askAt = 0;
    int answer = 0;
    std::vector<WPARAM> steps;
    std::vector<WPARAM> stepsWhileAsking;
    int paintsWhileAsking = 0;
    bool asking = false;
    CWindowsMessageProcessing* processing = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT && asking) ++paintsWhileAsking;
        if (message != kStep) return CWnd::WindowProc(message, wParam, lParam);
        steps.push_back(wParam);
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
    pressWhenShown(QMessageBox::No, [&] { return window.stepsWhileAsking.size() >= 10 && window.paintsWhileAsking > 0; });
    // The long loop: it yields until every step was handled.
    for (int turn = 0; turn < 1000 && window.steps.size() < kSteps; ++turn) processing.YieldTime(1);

    EXPECT_EQ(window.answer, IDNO);
    EXPECT_EQ(window.steps.size(), kSteps);
    EXPECT_TRUE(std::is_sorted(window.steps.begin(), window.steps.end()));
    // The box's own loop kept the window going: steps went on and it repainted.
    EXPECT_GE(window.stepsWhileAsking.size(), 10u);
    EXPECT_GT(window.paintsWhileAsking, 0);
}

TEST(QtFaceModal, MessageBoxButtonsAndDefaultsAnswerAsTheBoxesType) {
    pressWhenShown(QMessageBox::Retry);
    EXPECT_EQ(MessageBox(nullptr, "Again?", "Run", MB_ABORTRETRYIGNORE), IDRETRY);

    actWhenShown<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Run");
        EXPECT_EQ(box.text(), QString::fromUtf8("停止?"));
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
        box.defaultButton()->click();
    });
    EXPECT_EQ(MessageBox(nullptr, "停止?", "Run", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);

    // Closed without a button: Cancel where the box has one.
    actWhenShown<QMessageBox>([](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(MessageBox(nullptr, "Save?", "Run", MB_YESNOCANCEL), IDCANCEL);

    // A quit request ends the box and is left for the loop outside it.
    actWhenShown<QMessageBox>([](QMessageBox&) { PostQuitMessage(3); });
    EXPECT_EQ(MessageBox(nullptr, "Wait?", "Run", MB_OK), IDOK);
    EXPECT_EQ(shownDialog<QMessageBox>(), nullptr);
    MSG msg;
    int before = 0;
    while (before < 10 && GetMessage(&msg, nullptr, 0, 0)) ++before;
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(QtFaceModal, AFileDialogChoosesAFileOrIsCancelled) {
    actWhenShown<QFileDialog>([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList({"Decks (*.cir *.net)", "All files (*)"}));
        // The name field keeps what is typed in it while it has the focus, and selectFile then
        // leaves it alone; whether the dialog was activated (and gave the field the focus)
        // before this runs depends on timing.
        if (QWidget* focused = dialog.focusWidget()) focused->clearFocus();
        dialog.selectFile("/tmp/velt_face_deck.cir");
        EXPECT_EQ(dialog.selectedFiles(), QStringList("/tmp/velt_face_deck.cir"));
        static_cast<QDialog&>(dialog).accept();  // public there; still the file dialog's own
    });
    CFileDialog save(FALSE, "cir", nullptr, 0, "Decks|*.cir;*.net|All files|*||");
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "/tmp/velt_face_deck.cir");

    actWhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    CFileDialog open(TRUE);
    EXPECT_EQ(open.DoModal(), IDCANCEL);
}

}  // namespace
