#include "veltutil/properties/property_tree.h"

#include <memory>
#include <utility>
#include <vector>

#include "veltutil/properties/property_text.h"

namespace veltutil::detail {

namespace {
using Link = PropertyAccess::Link;

// A list item whose value text is still to be produced from its nested list.
const CPropertyList* pendingNested(const CPropertyItem& item) {
    const CPropertyList* nested = PropertyAccess::nestedList(item);
    return nested && PropertyAccess::storedValue(item).IsEmpty() ? nested : nullptr;
}

// Writes "label:type{"; false (and nothing written) when the item has no text form.
bool openField(std::string& out, const CPropertyItem& item) {
    if (item.GetLabel().IsEmpty() || item.GetType().IsEmpty()) return false;
    out += item.GetLabel().str();
    out += ':';
    out += item.GetType().str();
    out += '{';
    return true;
}

// Writes the items from `link` on, each followed by a line feed, descending into nested lists
// through an explicit stack of the places to resume at.
void appendItemsFrom(std::string& out, const Link* link) {
    std::vector<const Link*> resume;
    for (;;) {
        while (link) {
            const CPropertyItem* item = PropertyAccess::liveItem(link);
            link = link->next;
            if (!item) continue;
            if (!openField(out, *item)) {
                out += '\n';
                continue;
            }
            if (const CPropertyList* nested = pendingNested(*item)) {
                resume.push_back(link);
                link = PropertyAccess::firstLink(*nested);
                continue;
            }
            out += PropertyAccess::storedValue(*item).str();
            out += "}\n";
        }
        if (resume.empty()) return;
        link = resume.back();
        resume.pop_back();
        out += "}\n";
    }
}
}  // namespace

CPropertyItem* PropertyAccess::newItem(std::string_view label, std::string_view type, std::string_view value) {
    auto* item = new CPropertyItem;
    item->label_.str().assign(label);
    item->type_.str().assign(type);
    item->value_.str().assign(value);
    return item;
}

void PropertyAccess::appendParsed(CPropertyList& list, std::string_view text) {
    ListReader reader(text);
    ItemFields fields;
    while (reader.next(fields)) list.items_.append(newItem(fields.label, fields.type, fields.value));
}

CPropertyList* PropertyAccess::clone(const CPropertyList& list) {
    auto root = std::make_unique<CPropertyList>();
    std::vector<std::pair<const CPropertyList*, CPropertyList*>> pending{{&list, root.get()}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        for (const CPropertyItem* item : from->items_) {
            auto* copy = newItem(item->label_.view(), item->type_.view(), item->value_.view());
            to->items_.append(copy);
            if (item->list_) {
                copy->list_ = new CPropertyList;
                pending.emplace_back(item->list_, copy->list_);
            }
        }
    }
    return root.release();
}

void PropertyAccess::destroy(CPropertyList* list) {
    // Flattens the tree into `list` as it goes: the items of a nested list move to the end of
    // the list being emptied, so every item is freed with no nested list left below it.
    auto& items = list->items_;
    while (!items.is_empty()) {
        CPropertyItem* item = items.take_front();
        if (!item) continue;
        if (CPropertyList* nested = std::exchange(item->list_, nullptr)) {
            while (Link* link = nested->items_.pop_front()) items.push_back(link);
            delete nested;
        }
        delete item;
    }
    delete list;
}

void PropertyAccess::appendListText(std::string& out, const CPropertyList& list) {
    appendItemsFrom(out, firstLink(list));
}

void PropertyAccess::appendField(std::string& out, const CPropertyItem& item) {
    if (!openField(out, item)) return;
    if (const CPropertyList* nested = pendingNested(item)) {
        appendItemsFrom(out, firstLink(*nested));
    } else {
        out += item.value_.str();
    }
    out += '}';
}

}  // namespace veltutil::detail
