#pragma once

// Internal: the nodes of property lists. A node holds its item in place, and a list makes its
// nodes in slabs of several at once, so reading or copying a list of n items costs a handful of
// allocations instead of 2n (a node and an item each).
//
// Ownership: a slab lives while the list that fills it holds it open or any node in it lives;
// the last of them frees it. Each list fills slabs of its own, so the nodes of one slab never
// serve two lists that different threads could use; they only meet in one list while a tree
// of lists is being destroyed.
//
// Invariant: property lists never mark nodes removed (they remove nothing during walks), so the
// removal purge of VoidList, which deletes a node's element through the element pointer, never
// runs for these nodes; deleting a node runs its destructor, which knows the item is in place.

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "veltutil/foundation/slist.h"
#include "veltutil/properties/property_item.h"

namespace veltutil::detail {

// A slab's header; its nodes follow. A list's first slab is small, since most lists are
// (nested lists, arrays), and each next one twice as large, up to a limit.
struct ItemSlab {
    std::uint32_t capacity;
    std::uint32_t used = 0;  // places handed out
    std::uint32_t live = 0;  // nodes built and not yet deleted
    bool open = true;        // a list still fills it
};

class ItemNode final : public SList<CPropertyItem, 0>::SListLink {
public:
    // The item is whatever `make()` returns, built in place.
    template <class Make>
    ItemNode(ItemSlab* slab, Make make) : SListLink(nullptr), item(make()), slab_(slab) {
        value = &item;
    }
    ~ItemNode() override;

    // The element handed out must outlive the node, so an item held in place leaves as a heap
    // copy; these only serve VoidList's sort and a caller walking nodes by hand.
    void* detach_value() override;
    void* exchange_value(void* element) override;

    // Nodes are only made in slabs (NewItemNode), and give their place back when deleted.
    static void* operator new(std::size_t, void* place) noexcept { return place; }
    static void* operator new(std::size_t) = delete;
    static void operator delete(ItemNode* node, std::destroying_delete_t);

    CPropertyItem item;

private:
    ItemSlab* slab_;
};

// A new slab in place of `open` (full, or none yet), which the list lets go of. Throws
// std::bad_alloc when memory ran out.
void OpenNextSlab(ItemSlab*& open);

inline constexpr std::size_t kSlabNodesOffset =
    (sizeof(ItemSlab) + alignof(ItemNode) - 1) / alignof(ItemNode) * alignof(ItemNode);

inline void* NodePlace(ItemSlab* slab, std::uint32_t index) {
    return reinterpret_cast<std::byte*>(slab) + kSlabNodesOffset + index * sizeof(ItemNode);
}

// A place for one more node in the list's open slab, and that slab.
inline std::pair<void*, ItemSlab*> ClaimNodePlace(ItemSlab*& open) {
    if (!open || open->used == open->capacity) OpenNextSlab(open);
    ++open->live;
    return {NodePlace(open, open->used++), open};
}
// Gives back a place claimed for a node that could not be built.
void AbandonNodePlace(ItemSlab* slab) noexcept;
// The list lets go of its open slab.
void CloseSlab(ItemSlab* open) noexcept;

// A new node in the list's open slab holding `make()`; the list links it.
template <class Make>
[[nodiscard]] ItemNode* NewItemNode(ItemSlab*& open, Make make) {
    auto [place, slab] = ClaimNodePlace(open);
    try {
        return new (place) ItemNode(slab, make);
    } catch (...) {
        AbandonNodePlace(slab);
        throw;
    }
}

}  // namespace veltutil::detail
