#include "face/qt/face_services.h"

#include <QApplication>
#include <QMetaObject>

#include <chrono>
#include <thread>

#include "face/qt/file_chooser.h"
#include "face/qt/message_box_dialog.h"
#include "face/qt/popup_menu.h"
#include "veltutil/platform/host/loop/beep.h"

namespace veltface {

namespace {

// Installs `ours` unless the slot already held a service, which it then gets back.
template <class Service, class Set>
void installUnlessTaken(Set set, Service ours) {
    if (Service theirs = set(ours)) set(theirs);
}

void beep(DWORD /*frequency*/, DWORD duration) {
    // Any thread may beep; the toolkit's bell rings on the UI thread. The screen's bell has
    // one tone, but the caller still waits the tone's length, as it would headless.
    QMetaObject::invokeMethod(qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
    std::this_thread::sleep_for(std::chrono::milliseconds(duration));
}

}  // namespace

void InstallServices() {
    installUnlessTaken<MessageBoxService>(&SetMessageBoxService, &AskWithMessageBox);
    installUnlessTaken<FileDialogService>(&SetFileDialogService, &ChooseFile);
    installUnlessTaken<PopupMenuService>(&SetPopupMenuService, &ChooseFromMenu);
    installUnlessTaken<BeepService>(&SetBeepService, &beep);
}

}  // namespace veltface
