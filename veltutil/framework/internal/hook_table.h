#pragma once

#include <cstdint>

#include "veltutil/framework/os_list.h"

namespace veltutil::detail {

// An event source's table from 16-bit event keys to hook lists. Open addressing with linear
// probing over a power-of-two array kept at most half full; entries are never removed, since a
// hook list lives as long as its source. The table owns its lists.
class HookTable {
public:
    HookTable() = default;
    HookTable(const HookTable&) = delete;
    HookTable& operator=(const HookTable&) = delete;
    ~HookTable();

    COSList* Find(std::uint16_t key) const {
        if (!slots_) return nullptr;
        for (std::uint32_t i = Home(key);; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.list || slot.key == key) return slot.list;
        }
    }
    // The list of the key, created when missing; null only when memory ran out.
    COSList* FindOrCreate(std::uint16_t key);
    bool IsEmpty() const { return size_ == 0; }

    // Visits every list in the table's own order.
    template <class Visit>
    void ForEach(Visit visit) const {
        for (std::uint32_t i = 0; slots_ && i <= mask_; ++i) {
            if (slots_[i].list) visit(slots_[i].key, *slots_[i].list);
        }
    }

private:
    struct Slot {
        std::uint16_t key = 0;
        COSList* list = nullptr;
    };

    std::uint32_t Home(std::uint16_t key) const { return (key * 0x9E3779B1u >> 16) & mask_; }
    bool Grow();

    Slot* slots_ = nullptr;
    std::uint32_t mask_ = 0;
    std::uint32_t size_ = 0;

};

}  // namespace veltutil::detail
