#include "face/qt/key_input.h"

#include "veltutil/platform/host/windows/user_input.h"

namespace veltface {

namespace {

UINT virtualKeyOf(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_F1: return VK_F1;
    default: return 0;
    }
}

CWnd& keyTarget(CWnd& target) {
    CWnd* focus = CWnd::GetFocus();
    return focus && focus->GetTopLevelParent() == target.GetTopLevelParent() ? *focus : target;
}

LPARAM pointOf(const QMouseEvent& event) {
    QPoint point = event.position().toPoint();
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(point.x())), static_cast<WORD>(static_cast<short>(point.y())));
}

}  // namespace

bool PostKey(CWnd& target, const QKeyEvent& event) { return PostKeyTo(keyTarget(target), event); }

bool PostKeyTo(CWnd& wnd, const QKeyEvent& event) {
    if (UINT key = virtualKeyOf(event.key())) {
        PostKeyPress(wnd, key);
        return true;
    }
    // Shortcuts and control characters other than the keys above mean nothing to the host's
    // windows, whose keyboard has no modifier state.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    QByteArray text = event.text().toUtf8();
    if (text.isEmpty() || static_cast<unsigned char>(text.front()) < 0x20) return false;
    PostTypedText(wnd, text.constData());
    return true;
}

void PostMouse(CWnd& target, const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) return;
    UINT message = WM_LBUTTONDOWN;
    if (event.type() == QEvent::MouseButtonRelease) message = WM_LBUTTONUP;
    if (event.type() == QEvent::MouseButtonDblClick) message = WM_LBUTTONDBLCLK;
    // The button is down with the press and the double click, no longer with the release.
    target.PostMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, pointOf(event));
}

}  // namespace veltface
