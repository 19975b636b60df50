#include "veltutil/platform/library/resource_strings.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct Table {
    HINSTANCE module;
    unsigned long serial;
    std::unordered_map<UINT, std::string> texts;
};

struct Tables {
    std::mutex mutex;
    unsigned long nextSerial = 1;
    std::vector<Table> tables;  // in registration order
};

Tables& tables() {
    static Tables all;
    return all;
}

}  // namespace

CString GetResourceString(UINT id, HINSTANCE module) {
    Tables& all = tables();
    std::lock_guard lock(all.mutex);
    // The latest registration of a module wins, so search from the back for a given module.
    if (module != nullptr) {
        auto table = std::find_if(all.tables.rbegin(), all.tables.rend(),
                                  [module](const Table& t) { return t.module == module; });
        if (table == all.tables.rend()) return CString();
        auto text = table->texts.find(id);
        return text == table->texts.end() ? CString() : CString(text->second);
    }
    for (const Table& table : all.tables) {
        auto text = table.texts.find(id);
        if (text != table.texts.end()) return CString(text->second);
    }
    return CString();
}

CStringTableRegistration::CStringTableRegistration(HINSTANCE module, const StringTableEntry* entries,
                                                   std::size_t count) {
    Table table{module, 0, {}};
    for (std::size_t i = 0; i < count; ++i) table.texts[entries[i].id] = entries[i].text != nullptr ? entries[i].text : "";
    Tables& all = tables();
    std::lock_guard lock(all.mutex);
    serial_ = table.serial = all.nextSerial++;
    all.tables.push_back(std::move(table));
}

CStringTableRegistration::~CStringTableRegistration() {
    Tables& all = tables();
    std::lock_guard lock(all.mutex);
    std::erase_if(all.tables, [this](const Table& t) { return t.serial == serial_; });
}
