#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

// Quick text dumps: the file is opened, written with a line end after `text` and closed before
// the call returns. A file that cannot be opened is skipped without a word.

// Creates or truncates the file at `path`.
VELTUTIL_API void print(CString text, CString path);
// Appends to the file at `path`, creating it when missing.
VELTUTIL_API void printapp(CString text, CString path);
