#include "veltutil/framework/internal/hook_table.h"

#include <new>

namespace veltutil::detail {

namespace {
constexpr std::uint32_t kInitialSlots = 16;
}

HookTable::~HookTable() {
    ForEach([](std::uint16_t, COSList& list) { delete &list; });
    delete[] slots_;
}

bool HookTable::Grow() {
    std::uint32_t capacity = slots_ ? (mask_ + 1) * 2 : kInitialSlots;
    Slot* grown = new (std::nothrow) Slot[capacity];
    if (!grown) return false;
    Slot* old = slots_;
    std::uint32_t oldCapacity = slots_ ? mask_ + 1 : 0;
    slots_ = grown;
    mask_ = capacity - 1;
    for (std::uint32_t i = 0; i < oldCapacity; ++i) {
        if (!old[i].list) continue;
        std::uint32_t j = Home(old[i].key);
        while (slots_[j].list) j = (j + 1) & mask_;
        slots_[j] = old[i];
    }
    delete[] old;
    return true;
}

COSList* HookTable::FindOrCreate(std::uint16_t key) {
    if (COSList* list = Find(key)) return list;
    if ((size_ + 1) * 2 > (slots_ ? mask_ + 1 : 0) && !Grow()) return nullptr;
    COSList* list = new (std::nothrow) COSList;
    if (!list) return nullptr;
    std::uint32_t i = Home(key);
    while (slots_[i].list) i = (i + 1) & mask_;
    slots_[i] = {key, list};
    ++size_;
    return list;
}

}  // namespace veltutil::detail
