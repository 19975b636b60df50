#pragma once

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/library/library_export.h"

// The application's status bar. The headless host keeps the text it was given, so that what a
// person would read there can be read back.
class VELTLIBRARY_API CUTStatusBar {
public:
    void SetTextInfo(const char* text);  // null clears the text
    const CString& GetTextInfo() const { return text_; }

private:
    CString text_;
};

// The application's global settings; it always holds the status bar.
class VELTLIBRARY_API CUTSettings {
public:
    CUTStatusBar& GetStatusBar() { return statusBar_; }
    const CUTStatusBar& GetStatusBar() const { return statusBar_; }

private:
    CUTStatusBar statusBar_;
};

// The one settings object of the process.
VELTLIBRARY_API CUTSettings* GetSettings();
