#pragma once

#include <vector>

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Compiled-in resources. A module (a library or the program) registers its dialog templates
// and icons under its own instance handle; the framework looks them up in the current resource
// module, which a library makes itself for as long as it creates its own windows.

struct DialogItemTemplate {
    const char* windowClass;  // "Button", "Edit", "SysTreeView32", "Static"
    const char* text;
    UINT id;
    DWORD style;
    short x, y, cx, cy;  // dialog units
};

struct DialogTemplate {
    const char* caption;
    const char* fontName;
    WORD pointSize;
    DWORD style;
    short x, y, cx, cy;  // dialog units
    std::vector<DialogItemTemplate> items;
};

// A small picture, one string per row: '#' ink, '.' background.
struct IconResource {
    int width;
    int height;
    const char* const* rows;
};

// The registered data must outlive its registration.
VELTHOST_API void AfxRegisterDialogResource(HINSTANCE module, UINT id, const DialogTemplate* dialog);
VELTHOST_API void AfxRegisterIconResource(HINSTANCE module, UINT id, const IconResource* icon);
// Drops everything `module` registered (at its unload).
VELTHOST_API void AfxUnregisterResources(HINSTANCE module);

VELTHOST_API const DialogTemplate* AfxFindDialogResource(HINSTANCE module, UINT id);
// The icon's handle, or null when the module has no such icon.
VELTHOST_API HICON LoadIcon(HINSTANCE module, UINT id);
VELTHOST_API const IconResource* AfxIconFromHandle(HICON icon);

VELTHOST_API HINSTANCE AfxGetResourceHandle();
VELTHOST_API void AfxSetResourceHandle(HINSTANCE module);
