#include "veltutil/platform/host/loop/internal/thread_queue.h"
#include "veltutil/platform/host/loop/message_queue.h"

namespace {

char typedCharacter(UINT virtualKey) {
    switch (virtualKey) {
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return '\x1b';
    default: break;
    }
    // Letter keys type lower case: the headless keyboard has no shift state.
    if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<char>(virtualKey - 'A' + 'a');
    if (virtualKey == ' ' || (virtualKey >= '0' && virtualKey <= '9')) return static_cast<char>(virtualKey);
    return '\0';
}

}  // namespace

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    char ch = typedCharacter(static_cast<UINT>(msg->wParam));
    if (ch == '\0') return FALSE;
    veltutil::detail::CurrentQueue().Post(
        veltutil::detail::MakeMessage(msg->hwnd, WM_CHAR, static_cast<unsigned char>(ch), msg->lParam), true);
    return TRUE;
}
