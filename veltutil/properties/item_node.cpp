#include "veltutil/properties/internal/item_node.h"

#include <algorithm>
#include <cassert>

namespace veltutil::detail {

namespace {

constexpr std::size_t kFirstCapacity = 2 * sizeof(ItemNode);
constexpr std::size_t kMaxCapacity = 256 * sizeof(ItemNode);

void freeIfUnused(ItemSlab* slab) noexcept {
    if (slab->live == 0 && !slab->open) ::operator delete(slab);
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
    void* memory = ::operator new(kSlabNodesOffset + capacity);
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
