#include "veltutil/properties/internal/item_node.h"

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cassert>
#include <mutex>

namespace veltutil::detail {

namespace {

constexpr std::size_t kFirstCapacity = 2 * sizeof(ItemNode);
constexpr std::size_t kMaxCapacity = 256 * sizeof(ItemNode);
constexpr std::size_t kMaxSlabBytes = kSlabNodesOffset + kMaxCapacity;

// Empty slabs of the largest size wait here for the next list rather than going back to the
// C library. A large list frees hundreds of them at once, all of them together at the top of
// the heap, and the C library gives a free heap top beyond its trim threshold (128 KiB by
// default) back to the system; reading the next document of the same size would then fault
// every page in again, which costs more than reading the text. Bounded, so that a program
// keeps at most this much after its largest list is gone.
class SlabCache {
public:
    static constexpr std::size_t kMaxBytes = 16u << 20;

    // A cached slab, or null when there is none.
    void* take() noexcept {
        std::lock_guard hold(lock_);
        FreeSlab* slab = top_;
        if (!slab) return nullptr;
        ASAN_UNPOISON_MEMORY_REGION(slab, kMaxSlabBytes);
        top_ = slab->next;
        --count_;
        return slab;
    }
    // False when the cache is full; the caller frees `memory` then.
    bool put(void* memory) noexcept {
        std::lock_guard hold(lock_);
        if (count_ == kMaxBytes / kMaxSlabBytes) return false;
        top_ = new (memory) FreeSlab{top_};
        ++count_;
        // A node left in a cached slab is freed memory: the sanitizer build reports its use.
        ASAN_POISON_MEMORY_REGION(top_ + 1, kMaxSlabBytes - sizeof(FreeSlab));
        return true;
    }

private:
    struct FreeSlab {
        FreeSlab* next;
    };
    std::mutex lock_;
    FreeSlab* top_ = nullptr;
    std::size_t count_ = 0;
};

// Shared by every thread, since a slab is freed by whichever thread deletes its last node;
// never destroyed, as lists in objects of static storage duration may outlive it otherwise.
SlabCache& slabCache() {
    static SlabCache* cache = new SlabCache;
    return *cache;
}

void freeIfUnused(ItemSlab* slab) noexcept {
    if (slab->live != 0 || slab->open) return;
    if (slab->capacity == kMaxCapacity && slabCache().put(slab)) return;
    ::operator delete(slab);
}

}  // namespace

ItemNode::~ItemNode() {
    // The base destroys what `value` points at; an item in place is destroyed as a member.
    if (value == &item) value = nullptr;
}

void* ItemNode::detach_value() {
    if (value != &item) return SListLink::detach_value();
    value = nullptr;
    return new CPropertyItem(std::move(item));
}

void* ItemNode::exchange_value(void* element) {
    void* previous = detach_value();
    value = static_cast<CPropertyItem*>(element);
    return previous;
}

void ItemNode::operator delete(ItemNode* node, std::destroying_delete_t) {
    ItemSlab* slab = node->slab_;
    node->~ItemNode();
    assert(slab->live > 0 && "a node deleted twice");
    --slab->live;
    freeIfUnused(slab);
}

void OpenNextSlab(ItemSlab*& open, std::size_t bytes) {
    std::size_t capacity = open ? std::min(open->capacity * 2, kMaxCapacity) : kFirstCapacity;
    capacity = std::max(capacity, bytes);
    void* memory = capacity == kMaxCapacity ? slabCache().take() : nullptr;
    if (!memory) memory = ::operator new(kSlabNodesOffset + capacity);
    CloseSlab(open);
    open = new (memory) ItemSlab{capacity};
}

void AbandonNodePlace(ItemSlab* slab) noexcept {
    --slab->live;
    freeIfUnused(slab);
}

void CloseSlab(ItemSlab* open) noexcept {
    if (!open) return;
    open->open = false;
    freeIfUnused(open);
}

}  // namespace veltutil::detail
