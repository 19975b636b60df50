#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

// The font that sources, pages, graphs and tables keep and hand on: each source gives its font
// to the pages it opens, each page to the graphs and tables on it. Setting it sends nothing to
// the plotting module; the operations that set a title or axis font send it later.
struct VELTUTIL_API CGrapherFont {
    int first = 8;
    int second = 16;
    CString faceName = "System";

    // The first value is always taken; the second unless it is -1, the face name unless it is
    // null. Always succeeds.
    long Set(int newFirst, int newSecond, const char* newFaceName);
};
