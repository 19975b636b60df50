#include "veltutil/platform/host/windows/file_dialog.h"

#include <filesystem>
#include <utility>

#include "veltutil/platform/host/internal/service_slot.h"

#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

using Slot = veltutil::detail::ServiceSlot<FileDialogRequest, FileDialogAnswer,
                                           &veltutil::detail::EmptyReply<FileDialogRequest, FileDialogAnswer>>;

Slot& slot() {
    static Slot dialogs;
    return dialogs;
}

}  // namespace

FileDialogService SetFileDialogService(FileDialogService service) { return slot().Replace(std::move(service)); }

CFileDialog::CFileDialog(BOOL open, const char* defaultExt, const char* fileName, DWORD flags, const char* filter,
                         CWnd* parent) {
    request_.open = open;
    request_.defaultExt = defaultExt;
    request_.defaultExt.TrimLeft('.');
    request_.fileName = fileName;
    request_.flags = flags;
    request_.filter = filter;
    request_.owner = parent ? parent->m_hWnd : nullptr;
}

CFileDialog::~CFileDialog() = default;

int CFileDialog::DoModal() {
    FileDialogAnswer answer = slot().Ask(request_);
    if (answer.result != IDOK || answer.path.IsEmpty()) return IDCANCEL;
    path_ = answer.path;
    if (GetFileExt().IsEmpty() && !request_.defaultExt.IsEmpty()) path_ += "." + request_.defaultExt;
    std::error_code error;
    if (!request_.open && (request_.flags & OFN_OVERWRITEPROMPT) &&
        std::filesystem::exists(std::filesystem::path(path_.str()), error)) {
        CString question = path_ + " already exists.\nDo you want to replace it?";
        if (MessageBox(request_.owner, question, "Save As", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
            path_.Empty();
            return IDCANCEL;
        }
    }
    return IDOK;
}

CString CFileDialog::GetFileName() const { return path_.Mid(path_.ReverseFind('/') + 1); }

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}
