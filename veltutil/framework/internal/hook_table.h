#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CEventSink;
class OrvVariant;

namespace veltutil::detail {

// The hooks of one event, in registration order. Their sinks are kept in one array, apart from
// the registrants' data: a broadcast reads the sinks in sequence rather than chasing list nodes,
// so delivering to a sink costs about what a virtual call in a plain loop does.
//
// Walks hold the list (BeginWalk/EndWalk). While one does, a released hook keeps its place
// with a null sink, so positions stay valid and the walk skips it; the last walk to end drops
// every released hook. Hooks appended during a walk land at the end, where the walk reaches
// them. A null sink therefore always means released: a live hook always has one.
class HookList {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    HookList() = default;
    HookList(const HookList&) = delete;
    HookList& operator=(const HookList&) = delete;

    // Appends a live hook; false, with nothing changed, when memory ran out.
    [[nodiscard]] bool Append(CEventSink* sink, OrvVariant* data) noexcept;
    // Takes the live hook at `index` out: the sink loses the reference the hook held, and the
    // registrant's data is handed back. The hook goes now, or when the last walk ends.
    [[nodiscard]] OrvVariant* Release(std::size_t index);

    // Hooks, released ones still in place included; the sink at `index` is null for those.
    std::size_t Size() const { return sinks_.size(); }
    CEventSink* SinkAt(std::size_t index) const { return sinks_[index]; }
    // For walks that call out: both must be read anew after every call, which may have
    // appended a hook and so moved the array.
    CEventSink* const* Sinks() const { return sinks_.data(); }
    CEventSink* const* SinksEnd() const { return sinks_.data() + sinks_.size(); }
    std::size_t LiveCount() const { return sinks_.size() - released_; }
    // The position of the first live hook of `sink`, or npos.
    std::size_t FirstOf(const CEventSink* sink) const;

    void BeginWalk() { ++walks_; }
    // Purging cannot throw, so ending a walk is safe while a handler's exception unwinds.
    void EndWalk() noexcept {
        if (--walks_ == 0 && released_ != 0) Purge();
    }

private:
    void Purge() noexcept;

    std::vector<CEventSink*> sinks_;
    std::vector<OrvVariant*> data_;  // parallel to sinks_
    long walks_ = 0;
    std::size_t released_ = 0;  // released hooks still in place, waiting for the walks to end
};

// An event source's table from 16-bit event keys to hook lists. Open addressing with linear
// probing over a power-of-two array kept at most half full; entries are never removed, since a
// hook list lives as long as its source, so a list once found stays valid. The table owns its
// lists.
class HookTable {
public:
    HookTable() = default;
    HookTable(const HookTable&) = delete;
    HookTable& operator=(const HookTable&) = delete;
    ~HookTable();

    HookList* Find(std::uint16_t key) const {
        if (!slots_) return nullptr;
        for (std::uint32_t i = Home(key);; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.list || slot.key == key) return slot.list;
        }
    }
    // The list of the key, created when missing; null only when memory ran out.
    [[nodiscard]] HookList* FindOrCreate(std::uint16_t key);
    bool IsEmpty() const { return size_ == 0; }

    // Visits every list in the table's own order.
    template <class Visit>
    void ForEach(Visit visit) const {
        for (std::uint32_t i = 0; slots_ && i <= mask_; ++i) {
            if (slots_[i].list) visit(*slots_[i].list);
        }
    }

private:
    struct Slot {
        std::uint16_t key = 0;
        HookList* list = nullptr;
    };

    std::uint32_t Home(std::uint16_t key) const { return (key * 0x9E3779B1u >> 16) & mask_; }
    bool Grow();

    Slot* slots_ = nullptr;
    std::uint32_t mask_ = 0;
    std::uint32_t size_ = 0;
};

}  // namespace veltutil::detail
