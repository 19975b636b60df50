#include "veltutil/framework/internal/hook_table.h"

#include <cassert>
#include <new>

#include "veltutil/framework/event_sink.h"

namespace veltutil::detail {

namespace {
constexpr std::uint32_t kInitialSlots = 16;
}

bool HookList::Append(CEventSink* sink, OrvVariant* data) noexcept {
    assert(sink && "a null sink would read as a released hook");
    try {
        data_.push_back(data);
    } catch (const std::bad_alloc&) {
        return false;
    }
    try {
        sinks_.push_back(sink);
    } catch (const std::bad_alloc&) {
        data_.pop_back();
        return false;
    }
    return true;
}

OrvVariant* HookList::Release(std::size_t index) {
    assert(sinks_[index] && "released twice");
    OrvVariant* data = data_[index];
    sinks_[index]->DecRefCount();
    if (walks_ > 0) {
        sinks_[index] = nullptr;
        ++released_;
    } else {
        sinks_.erase(sinks_.begin() + static_cast<std::ptrdiff_t>(index));
        data_.erase(data_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    return data;
}

std::size_t HookList::FirstOf(const CEventSink* sink) const {
    for (std::size_t i = 0; i < sinks_.size(); ++i) {
        if (sinks_[i] == sink) return i;
    }
    return npos;
}

void HookList::Purge() noexcept {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < sinks_.size(); ++i) {
        if (!sinks_[i]) continue;
        sinks_[kept] = sinks_[i];
        data_[kept] = data_[i];
        ++kept;
    }
    sinks_.resize(kept);
    data_.resize(kept);
    released_ = 0;
}

HookTable::~HookTable() {
    ForEach([](HookList& list) { delete &list; });
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

HookList* HookTable::FindOrCreate(std::uint16_t key) {
    if (HookList* list = Find(key)) return list;
    if ((size_ + 1) * 2 > (slots_ ? mask_ + 1 : 0) && !Grow()) return nullptr;
    auto* list = new (std::nothrow) HookList;
    if (!list) return nullptr;
    std::uint32_t i = Home(key);
    while (slots_[i].list) i = (i + 1) & mask_;
    slots_[i] = {key, list};
    ++size_;
    return list;
}

}  // namespace veltutil::detail
