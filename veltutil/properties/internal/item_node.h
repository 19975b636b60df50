#pragma once

// Internal: the nodes of property lists. A node holds its item in place, and a list makes its
// nodes in slabs of several at once, so reading or copying a list of n items costs a handful of
// allocations instead of 2n (a node and an item each) and more for long values: a node may carry
// its item's value text behind it (KeepText), where the item reads it until someone asks for
// a CString of it (CPropertyItem::GetValue).
//
// Ownership: a slab lives while the list that fills it holds it open or any node in it lives;
// the last of them frees it, or keeps it for the next list when it is of the largest size (a
// bounded cache shared by all threads, see item_node.cpp). Each list fills slabs of its own, so the nodes of one slab never
// serve two lists that different threads could use; they only meet in one list while a tree
// of lists is being destroyed.
//
// Invariant: property lists never mark nodes removed (they remove nothing during walks), so the
// removal purge of VoidList, which deletes a node's element through the element pointer, never
// runs for these nodes; deleting a node runs its destructor, which knows the item is in place.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "veltutil/foundation/slist.h"
#include "veltutil/properties/property_item.h"

namespace veltutil::detail {

// A slab's header; its nodes follow. A list's first slab is small, since most lists are
// (nested lists, arrays), and each next one twice as large, up to a limit.
struct ItemSlab {
    std::size_t capacity;   // bytes for nodes
    std::size_t used = 0;   // bytes handed out
    std::uint32_t live = 0; // nodes built and not yet deleted
    bool open = true;       // a list still fills it
};

class ItemNode final : public SList<CPropertyItem, 0>::SListLink {
public:
    // The item is whatever `make(tail)` returns, built in place; `tail` is the room asked for
    // behind the node.
    template <class Make>
    ItemNode(ItemSlab* slab, Make make)
        : SListLink(nullptr), item(make(reinterpret_cast<char*>(this) + sizeof(ItemNode))), slab_(slab) {
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

// A new slab in place of `open` (none yet, or without `bytes` left), which the list lets go of.
// Throws std::bad_alloc when memory ran out.
void OpenNextSlab(ItemSlab*& open, std::size_t bytes);
// Gives back a place claimed for a node that could not be built.
void AbandonNodePlace(ItemSlab* slab) noexcept;
// The list lets go of its open slab.
void CloseSlab(ItemSlab* open) noexcept;

inline constexpr std::size_t kSlabNodesOffset =
    (sizeof(ItemSlab) + alignof(ItemNode) - 1) / alignof(ItemNode) * alignof(ItemNode);

// A new node in the list's open slab holding `make(tail)`, with `tailBytes` of room behind it;
// the list links it.
template <class Make>
[[nodiscard]] ItemNode* NewItemNode(ItemSlab*& open, std::size_t tailBytes, Make make) {
    std::size_t bytes = (sizeof(ItemNode) + tailBytes + alignof(ItemNode) - 1) / alignof(ItemNode) * alignof(ItemNode);
    if (!open || open->capacity - open->used < bytes) OpenNextSlab(open, bytes);
    ItemSlab* slab = open;
    void* place = reinterpret_cast<std::byte*>(slab) + kSlabNodesOffset + slab->used;
    slab->used += bytes;
    ++slab->live;
    try {
        return new (place) ItemNode(slab, make);
    } catch (...) {
        AbandonNodePlace(slab);
        throw;
    }
}

// A value text kept behind a node: its length, then its bytes.
using KeptLength = std::uint32_t;
// Values up to this length are kept, longer ones go to a CString of their own: the room comes
// from the slab, which should not grow for one value.
inline constexpr std::size_t kMaxKeptValue = 1024;

inline std::size_t KeptSize(std::string_view text) { return sizeof(KeptLength) + text.size(); }
inline const char* KeepText(char* place, std::string_view text) {
    auto length = static_cast<KeptLength>(text.size());
    std::memcpy(place, &length, sizeof length);
    std::memcpy(place + sizeof length, text.data(), text.size());
    return place;
}
inline std::string_view KeptText(const char* kept) {
    KeptLength length;
    std::memcpy(&length, kept, sizeof length);
    return {kept + sizeof length, length};
}

}  // namespace veltutil::detail
