#pragma once

// Internal: the operations on whole trees of items and nested lists. Each keeps an explicit
// stack (or none), so the depth of a tree never reaches the call stack.

#include <string>
#include <string_view>

#include "veltutil/properties/internal/item_node.h"
#include "veltutil/properties/property_list.h"

namespace veltutil::detail {

struct PropertyAccess {
    using Link = VoidList::VoidListLink;

    static const Link* firstLink(const CPropertyList& list) { return list.items_.front(); }
    // The item a node holds, or null for a node marked removed or holding none.
    static const CPropertyItem* liveItem(const Link* link) {
        if (link->removed) return nullptr;
        return static_cast<const SList<CPropertyItem, 0>::SListLink*>(link)->value;
    }
    static const CPropertyList* nestedList(const CPropertyItem& item) { return item.list_; }
    // The value text as stored: kept behind the item's node, or in its CString.
    static std::string_view storedValue(const CPropertyItem& item) {
        return item.valueText_ ? KeptText(item.valueText_) : item.value_.view();
    }

    // Appends (prepends) to `list` a node holding a copy of `item`, or what is moved out of it.
    template <class Item>
    static void append(CPropertyList& list, Item&& item) {
        list.items_.push_back(NewItemNode(list.slab_, 0, [&](char*) { return CPropertyItem(std::forward<Item>(item)); }));
    }
    template <class Item>
    static void prepend(CPropertyList& list, Item&& item) {
        list.items_.push_front(NewItemNode(list.slab_, 0, [&](char*) { return CPropertyItem(std::forward<Item>(item)); }));
    }
    // Appends an item of these texts; a value a CString could not hold in place is kept in the
    // item's node.
    static void appendFields(CPropertyList& list, std::string_view label, std::string_view type,
                             std::string_view value);
    static void appendParsed(CPropertyList& list, std::string_view text);
    // Unlinks and destroys the first node, moving its item into `into`; false, with `into` an
    // empty item, when there was no node or it held no item.
    static bool takeFront(CPropertyList& list, CPropertyItem& into);

    // Appends deep copies of the live items of `from` (and of their nested lists) to `to`.
    static void copyTree(CPropertyList& to, const CPropertyList& from);
    static CPropertyList* clone(const CPropertyList& list);
    // Destroys `list` with every item and nested list below it.
    static void destroy(CPropertyList* list);

    // The text form of a list's items, and of one item; a value that is still only held as a
    // nested list is written from that list.
    static void appendListText(std::string& out, const CPropertyList& list);
    static void appendField(std::string& out, const CPropertyItem& item);
};

}  // namespace veltutil::detail
