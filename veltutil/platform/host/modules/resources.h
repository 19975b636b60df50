#pragma once

#include <vector>

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Compiled-in resources. A module (a library or the program) registers its dialog templates,
// menus and icons under its own instance handle; the framework looks them up in the current
// resource module, which a library makes itself for as long as it creates its own windows, or
// in whichever module holds them (AfxFindResourceHandle).

struct DialogItemTemplate {
    const char* windowClass;  // "Button", "Edit", "SysTreeView32", "SysListView32", "ListBox", "ComboBox", "Static"
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

// One item of a menu: a command (MF_STRING, with its id), a separator (MF_SEPARATOR) or a
// submenu (MF_POPUP, with its items).
struct MenuItemTemplate {
    const char* text;
    UINT id;
    UINT flags;
    std::vector<MenuItemTemplate> items;
};

struct MenuTemplate {
    std::vector<MenuItemTemplate> items;
};

// Resource types, for AfxFindResourceHandle.
inline const LPCSTR RT_MENU = MAKEINTRESOURCE(4);
inline const LPCSTR RT_DIALOG = MAKEINTRESOURCE(5);
inline const LPCSTR RT_GROUP_ICON = MAKEINTRESOURCE(14);

// A small picture, one string per row: '#' ink, '.' background.
struct IconResource {
    int width;
    int height;
    const char* const* rows;
};

// The registered data must outlive its registration.
VELTHOST_API void AfxRegisterDialogResource(HINSTANCE module, UINT id, const DialogTemplate* dialog);
VELTHOST_API void AfxRegisterIconResource(HINSTANCE module, UINT id, const IconResource* icon);
VELTHOST_API void AfxRegisterMenuResource(HINSTANCE module, UINT id, const MenuTemplate* menu);
// Drops everything `module` registered (at its unload).
VELTHOST_API void AfxUnregisterResources(HINSTANCE module);

VELTHOST_API const DialogTemplate* AfxFindDialogResource(HINSTANCE module, UINT id);
VELTHOST_API const MenuTemplate* AfxFindMenuResource(HINSTANCE module, UINT id);
// The module that holds the resource `name` (a number made with MAKEINTRESOURCE) of `type`:
// the current resource module when it does, else the first other module (in handle order)
// that does, else the current resource module. So the application finds the resources of
// every loaded library.
VELTHOST_API HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
// The icon's handle, or null when the module has no such icon.
VELTHOST_API HICON LoadIcon(HINSTANCE module, UINT id);
VELTHOST_API const IconResource* AfxIconFromHandle(HICON icon);

VELTHOST_API HINSTANCE AfxGetResourceHandle();
VELTHOST_API void AfxSetResourceHandle(HINSTANCE module);
