#include "veltutil/platform/host/windows/menu.h"

#include <utility>

#include "veltutil/platform/host/internal/service_slot.h"

#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

using Slot =
    veltutil::detail::ServiceSlot<PopupMenuRequest, UINT, &veltutil::detail::EmptyReply<PopupMenuRequest, UINT>>;

Slot& slot() {
    static Slot popups;
    return popups;
}

constexpr UINT noCommand = static_cast<UINT>(-1);

// Menu resources nest a few levels at most, so recursion is safe here.
void appendItems(CMenu& menu, const std::vector<MenuItemTemplate>& items) {
    for (const MenuItemTemplate& item : items) {
        if (item.flags & MF_POPUP) {
            appendItems(menu.AppendSubMenu(item.text), item.items);
        } else {
            menu.AppendMenu(item.flags, item.id, item.text);
        }
    }
}

}  // namespace

CMenu::CMenu() = default;
CMenu::~CMenu() = default;

BOOL CMenu::DestroyMenu() {
    items_.clear();
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT id) {
    if (id > 0xFFFF) return FALSE;  // resource ids are 16-bit
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(static_cast<WORD>(id)), RT_MENU);
    const MenuTemplate* resource = AfxFindMenuResource(module, id);
    if (!resource) return FALSE;
    DestroyMenu();
    appendItems(*this, resource->items);
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT id, const char* text) {
    if (flags & MF_POPUP) return FALSE;  // submenus come from AppendSubMenu
    bool separator = (flags & MF_SEPARATOR) != 0;
    items_.push_back({flags, separator ? 0 : id, separator ? CString() : CString(text), nullptr});
    return TRUE;
}

CMenu& CMenu::AppendSubMenu(const char* text) {
    items_.push_back({MF_POPUP, noCommand, CString(text), std::make_unique<CMenu>()});
    return *items_.back().submenu;
}

const CMenu::Item* CMenu::find(UINT item, UINT flags) const {
    if (flags & MF_BYPOSITION) return item < items_.size() ? &items_[item] : nullptr;
    for (const Item& candidate : items_)
        if (!candidate.submenu && !(candidate.flags & MF_SEPARATOR) && candidate.id == item) return &candidate;
    return nullptr;
}

UINT CMenu::GetMenuItemID(int position) const {
    const Item* item = position >= 0 ? find(static_cast<UINT>(position), MF_BYPOSITION) : nullptr;
    return item != nullptr ? item->id : noCommand;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    const Item* found = find(item, flags);
    text = found != nullptr ? found->text : CString();
    return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const {
    const Item* item = position >= 0 ? find(static_cast<UINT>(position), MF_BYPOSITION) : nullptr;
    return item != nullptr ? item->submenu.get() : nullptr;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
    UINT chosen = slot().Ask(PopupMenuRequest{this, flags, x, y, owner});
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen != 0 && owner) owner->PostMessage(WM_COMMAND, chosen);
    return TRUE;
}

PopupMenuService SetPopupMenuService(PopupMenuService service) { return slot().Replace(std::move(service)); }
