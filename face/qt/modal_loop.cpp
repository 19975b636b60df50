#include "face/qt/modal_loop.h"

#include "face/qt/qt_face.h"
#include "veltutil/platform/host/kernel.h"
#include "veltutil/platform/host/loop/message_queue.h"

namespace veltface {

int RunModal(QDialog& dialog) {
    bool finished = false;
    QObject::connect(&dialog, &QDialog::finished, [&finished] {
        finished = true;
        // The loop below waits for the host's queue: something must arrive there.
        ::PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
    });
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    if (!PumpUntil(finished)) dialog.reject();
    return dialog.result();
}

bool PumpUntil(const bool& finished) {
    MSG msg;
    while (!finished) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, 0);
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

QWidget* OwnerWidget(HWND owner) {
    CWnd* wnd = CWnd::FromHandle(owner);
    WindowMirror* mirror = wnd ? TheFace().MirrorOf(wnd->GetTopLevelParent()->GetSafeHwnd()) : nullptr;
    return mirror ? mirror->Widget() : nullptr;
}

}  // namespace veltface
