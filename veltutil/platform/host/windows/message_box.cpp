#include "veltutil/platform/host/windows/message_box.h"

#include <utility>

#include "veltutil/platform/host/internal/service_slot.h"

namespace {

int defaultButton(const MessageBoxRequest& request) { return DefaultMessageBoxAnswer(request.type); }

using Slot = veltutil::detail::ServiceSlot<MessageBoxRequest, int, &defaultButton>;

Slot& slot() {
    static Slot boxes;
    return boxes;
}

}  // namespace

MessageBoxService SetMessageBoxService(MessageBoxService service) { return slot().Replace(std::move(service)); }

int DefaultMessageBoxAnswer(UINT type) {
    static constexpr int buttons[][3] = {
        {IDOK, IDOK, IDOK},            // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},    // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},  // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},       // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},           // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL}, // MB_RETRYCANCEL
    };
    UINT set = type & MB_TYPEMASK;
    UINT which = (type & MB_DEFMASK) >> 8;
    if (set > 5) set = 0;
    if (which > 2) which = 0;
    return buttons[set][which];
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return slot().Ask(MessageBoxRequest{owner, CString(text), CString(caption), type});
}

int AfxMessageBox(const char* text, UINT type) { return MessageBox(nullptr, text, "", type); }
