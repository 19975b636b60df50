#include "face/qt/control_widget.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "face/qt/key_input.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace veltface {

bool PostControlInput(HWND hwnd, QEvent* event) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) return false;
    switch (event->type()) {
    case QEvent::KeyPress: return PostKeyTo(*wnd, static_cast<QKeyEvent&>(*event));
    case QEvent::InputMethod: {
        QByteArray text = static_cast<QInputMethodEvent&>(*event).commitString().toUtf8();
        if (text.isEmpty()) return false;
        PostTypedText(*wnd, text.constData());
        return true;
    }
    default: return false;
    }
}

}  // namespace veltface
