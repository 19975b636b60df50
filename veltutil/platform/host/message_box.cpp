#include "veltutil/platform/host/message_box.h"

#include <utility>

namespace {

MessageBoxService& currentService() {
    static MessageBoxService service;
    return service;
}

}  // namespace

MessageBoxService SetMessageBoxService(MessageBoxService service) {
    return std::exchange(currentService(), std::move(service));
}

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
    MessageBoxRequest request{owner, CString(text), CString(caption), type};
    const MessageBoxService& service = currentService();
    return service ? service(request) : DefaultMessageBoxAnswer(type);
}

int AfxMessageBox(const char* text, UINT type) { return MessageBox(nullptr, text, "", type); }

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    previous_ = SetMessageBoxService([this](const MessageBoxRequest& request) {
        requests_.push_back(request);
        if (answers_.empty()) return DefaultMessageBoxAnswer(request.type);
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() { SetMessageBoxService(std::move(previous_)); }
