#include "veltutil/platform/host/modules/resources.h"

#include <cstdint>
#include <map>
#include <utility>

namespace {

using Key = std::pair<HINSTANCE, UINT>;

struct ResourceTables {
    std::map<Key, const DialogTemplate*> dialogs;
    std::map<Key, const IconResource*> icons;
    std::map<Key, const MenuTemplate*> menus;
    HINSTANCE current = nullptr;
};

ResourceTables& tables() {
    static ResourceTables instance;
    return instance;
}

template <typename Table>
void eraseModule(Table& table, HINSTANCE module) {
    std::erase_if(table, [module](const auto& entry) { return entry.first.first == module; });
}

template <typename Table>
auto findIn(const Table& table, HINSTANCE module, UINT id) -> typename Table::mapped_type {
    auto it = table.find(Key{module, id});
    return it == table.end() ? nullptr : it->second;
}

template <class Table>
HINSTANCE holderOf(const Table& table, UINT id) {
    HINSTANCE current = tables().current;
    if (findIn(table, current, id)) return current;
    for (const auto& entry : table) {
        if (entry.first.second == id) return entry.first.first;
    }
    return current;
}

}  // namespace

void AfxRegisterDialogResource(HINSTANCE module, UINT id, const DialogTemplate* dialog) {
    tables().dialogs[Key{module, id}] = dialog;
}

void AfxRegisterIconResource(HINSTANCE module, UINT id, const IconResource* icon) {
    tables().icons[Key{module, id}] = icon;
}

void AfxRegisterMenuResource(HINSTANCE module, UINT id, const MenuTemplate* menu) { tables().menus[Key{module, id}] = menu; }

void AfxUnregisterResources(HINSTANCE module) {
    eraseModule(tables().dialogs, module);
    eraseModule(tables().icons, module);
    eraseModule(tables().menus, module);
    if (tables().current == module) tables().current = nullptr;
}

const DialogTemplate* AfxFindDialogResource(HINSTANCE module, UINT id) { return findIn(tables().dialogs, module, id); }

const MenuTemplate* AfxFindMenuResource(HINSTANCE module, UINT id) { return findIn(tables().menus, module, id); }

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type) {
    auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
    if (type == RT_MENU) return holderOf(tables().menus, id);
    if (type == RT_DIALOG) return holderOf(tables().dialogs, id);
    if (type == RT_GROUP_ICON) return holderOf(tables().icons, id);
    return tables().current;
}

HICON LoadIcon(HINSTANCE module, UINT id) {
    const IconResource* icon = findIn(tables().icons, module, id);
    return reinterpret_cast<HICON>(const_cast<IconResource*>(icon));
}

const IconResource* AfxIconFromHandle(HICON icon) {
    for (const auto& entry : tables().icons) {
        if (reinterpret_cast<HICON>(const_cast<IconResource*>(entry.second)) == icon) return entry.second;
    }
    return nullptr;
}

HINSTANCE AfxGetResourceHandle() { return tables().current; }

void AfxSetResourceHandle(HINSTANCE module) { tables().current = module; }
