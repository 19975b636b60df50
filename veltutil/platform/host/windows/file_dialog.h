#pragma once

#include <functional>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/win_types.h"

class CWnd;

// The open and save file dialogs. The choice goes through one replaceable service, like
// message boxes; without a service nobody is at the terminal and the dialog is cancelled.

constexpr DWORD OFN_READONLY = 0x0001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x0002;
constexpr DWORD OFN_HIDEREADONLY = 0x0004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x0800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;

struct FileDialogRequest {
    BOOL open = TRUE;
    CString defaultExt;
    CString fileName;
    DWORD flags = 0;
    CString filter;  // "description|pattern|...||"
    HWND owner = nullptr;
};

struct FileDialogAnswer {
    int result = IDCANCEL;  // or IDOK
    CString path;
};

using FileDialogService = std::function<FileDialogAnswer(const FileDialogRequest&)>;

// Installs `service` and returns the one it replaces; an empty service restores the default.
VELTHOST_API FileDialogService SetFileDialogService(FileDialogService service);

class VELTHOST_API CFileDialog {
public:
    CFileDialog(BOOL open, const char* defaultExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);
    virtual ~CFileDialog();

    // IDOK with a chosen path, or IDCANCEL. A chosen name without an extension gets the default
    // one; a save over an existing file with OFN_OVERWRITEPROMPT asks first, and No cancels.
    virtual int DoModal();

    CString GetPathName() const { return path_; }
    CString GetFileName() const;
    CString GetFileExt() const;

private:
    FileDialogRequest request_;
    CString path_;
};
