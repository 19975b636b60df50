#include "veltutil/platform/host/modules/resources.h"

#include <map>
#include <utility>

namespace {

using Key = std::pair<HINSTANCE, UINT>;

struct ResourceTables {
    std::map<Key, const DialogTemplate*> dialogs;
    std::map<Key, const IconResource*> icons;
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

}  // namespace

void AfxRegisterDialogResource(HINSTANCE module, UINT id, const DialogTemplate* dialog) {
    tables().dialogs[Key{module, id}] = dialog;
}

void AfxRegisterIconResource(HINSTANCE module, UINT id, const IconResource* icon) {
    tables().icons[Key{module, id}] = icon;
}

void AfxUnregisterResources(HINSTANCE module) {
    eraseModule(tables().dialogs, module);
    eraseModule(tables().icons, module);
    if (tables().current == module) tables().current = nullptr;
}

const DialogTemplate* AfxFindDialogResource(HINSTANCE module, UINT id) { return findIn(tables().dialogs, module, id); }

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
