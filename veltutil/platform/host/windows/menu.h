#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

class CWnd;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_RETURNCMD = 0x0100;

// A headless menu: a list of command items, separators and owned submenus. Choosing from a
// pop-up menu is a modal question, so TrackPopupMenu asks one replaceable service (below).
class VELTHOST_API CMenu {
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreateMenu() { return TRUE; }
    BOOL CreatePopupMenu() { return TRUE; }
    // Removes every item and submenu.
    BOOL DestroyMenu();
    // Replaces the items with the menu resource `id` of whichever module holds it
    // (AfxFindResourceHandle); FALSE, and the menu unchanged, when none does.
    BOOL LoadMenu(UINT id);

    // MF_STRING appends the command `id` with `text`, MF_SEPARATOR a separator.
    BOOL AppendMenu(UINT flags, UINT id = 0, const char* text = nullptr);
    // Appends an empty submenu named `text` and returns it for filling.
    CMenu& AppendSubMenu(const char* text);

    int GetMenuItemCount() const { return static_cast<int>(items_.size()); }
    // The command of the item at `position`; 0 for a separator, (UINT)-1 for a submenu or an
    // invalid position.
    UINT GetMenuItemID(int position) const;
    // Text of an item chosen MF_BYPOSITION or MF_BYCOMMAND; 0 and empty when there is none.
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    // The submenu at `position`, or null when that item is not a submenu.
    CMenu* GetSubMenu(int position) const;

    // Asks the pop-up service which command the person chose. With TPM_RETURNCMD the result
    // is that command (0 when nothing was chosen); otherwise it is nonzero once the menu has
    // been shown, and the chosen command is posted to `owner` as WM_COMMAND.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

private:
    struct Item {
        UINT flags;
        UINT id;
        CString text;
        std::unique_ptr<CMenu> submenu;
    };
    const Item* find(UINT item, UINT flags) const;

    std::vector<Item> items_;
};

struct PopupMenuRequest {
    const CMenu* menu = nullptr;
    UINT flags = 0;
    int x = 0;
    int y = 0;
    CWnd* owner = nullptr;
};

// Answers with the chosen command id, 0 for none.
using PopupMenuService = std::function<UINT(const PopupMenuRequest&)>;

// Installs `service` and returns the one it replaces; an empty service restores the default,
// which chooses nothing since nobody is at the terminal.
VELTHOST_API PopupMenuService SetPopupMenuService(PopupMenuService service);
