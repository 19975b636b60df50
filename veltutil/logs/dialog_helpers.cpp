#include "veltutil/logs/dialog_helpers.h"

#include "veltutil/foundation/ui_helpers.h"
#include "veltutil/platform/host/windows/menu.h"

int exclusiveChoice(int choice, ButtonAssoc* table) {
    if (!table || !table[0].button) return -1;
    if (choice == -1) {
        for (int position = 0; table[position].button; ++position) {
            if (table[position].button->GetCheck() == BST_CHECKED) return position;
        }
        return -1;
    }
    bool found = false;
    for (ButtonAssoc* entry = table; entry->button; ++entry) {
        bool chosen = entry->value == choice;
        found = found || chosen;
        int wanted = chosen ? BST_CHECKED : BST_UNCHECKED;
        if (entry->button->GetCheck() != wanted) entry->button->SetCheck(wanted);
    }
    return found ? choice : -1;
}

void enabledIf(int enable, CWnd** windows) {
    for (CWnd** wnd = windows; wnd && *wnd; ++wnd) (*wnd)->EnableWindow(enable ? TRUE : FALSE);
}

void rButtonMenu(unsigned long menuId) {
    CMenu menu;
    if (menuId > 0xFFFF || !menu.LoadMenu(static_cast<UINT>(menuId))) return;  // resource ids are 16-bit
    PopupRightButtonMenu(menu);
    menu.DestroyMenu();
}
