#include "veltutil/properties/internal/property_tree.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "veltutil/properties/internal/property_text.h"

namespace veltutil::detail {

namespace {
using Link = PropertyAccess::Link;

// A list item whose value text is still to be produced from its nested list.
const CPropertyList* pendingNested(const CPropertyItem& item) {
    const CPropertyList* nested = PropertyAccess::nestedList(item);
    return nested && PropertyAccess::storedValue(item).empty() ? nested : nullptr;
}

// Text forms are written in one pass into fixed-size chunks and joined at the end: walking a
// large tree costs more than copying its text once more, and fixed chunks come back from the
// heap without the copies and fresh pages of a buffer that keeps doubling.
class ChunkWriter {
public:
    void put(std::string_view text) {
        while (!text.empty()) {
            if (room_ == 0) newChunk();
            std::size_t n = std::min(room_, text.size());
            std::memcpy(cursor_, text.data(), n);
            text.remove_prefix(n);
            cursor_ += n;
            room_ -= n;
        }
    }
    void put(char c) {
        if (room_ == 0) newChunk();
        *cursor_++ = c;
        --room_;
    }
    void appendTo(std::string& out) {
        std::size_t total = out.size();
        for (std::size_t i = 0; i < chunks_.size(); ++i) total += used(i);
        out.reserve(total);
        for (std::size_t i = 0; i < chunks_.size(); ++i) out.append(chunks_[i].get(), used(i));
    }

private:
    static constexpr std::size_t chunkSize = 32 * 1024;

    void newChunk() {
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(chunkSize));
        cursor_ = chunks_.back().get();
        room_ = chunkSize;
    }
    std::size_t used(std::size_t i) const { return i + 1 < chunks_.size() ? chunkSize : chunkSize - room_; }

    std::vector<std::unique_ptr<char[]>> chunks_;
    char* cursor_ = nullptr;
    std::size_t room_ = 0;
};

// A large list is a chain of nodes and items spread over the heap, so a walk over it is bound by
// memory latency: the item a few nodes ahead is requested before it is needed.
class Prefetcher {
public:
    explicit Prefetcher(const Link* link) : ahead_(link) {
        for (int i = 0; i < distance && ahead_; ++i) ahead_ = ahead_->next;
    }
    void advance() {
        if (!ahead_) return;
        if (const CPropertyItem* item = static_cast<const SList<CPropertyItem, 0>::SListLink*>(ahead_)->value) {
            // An item spans up to three cache lines, and a value kept behind its node (see
            // internal/item_node.h) starts on the line after it.
            const char* bytes = reinterpret_cast<const char*>(item);
            __builtin_prefetch(bytes);
            __builtin_prefetch(bytes + 64);
            __builtin_prefetch(bytes + sizeof(CPropertyItem) - 1);
            __builtin_prefetch(bytes + sizeof(CPropertyItem) + 63);
        }
        ahead_ = ahead_->next;
    }

private:
    static constexpr int distance = 8;
    const Link* ahead_;
};

// Puts "label:type{"; false (and nothing put) when the item has no text form.
template <class Sink>
bool openField(Sink& sink, const CPropertyItem& item) {
    if (item.GetLabel().IsEmpty() || item.GetType().IsEmpty()) return false;
    sink.put(item.GetLabel().view());
    sink.put(':');
    sink.put(item.GetType().view());
    sink.put('{');
    return true;
}

// Puts the items from `link` on, each followed by a line feed, descending into nested lists
// through an explicit stack of the places to resume at.
template <class Sink>
void putItemsFrom(Sink& sink, const Link* link) {
    std::vector<const Link*> resume;
    Prefetcher ahead(link);
    for (;;) {
        while (link) {
            ahead.advance();
            const CPropertyItem* item = PropertyAccess::liveItem(link);
            link = link->next;
            if (!item) continue;
            if (!openField(sink, *item)) {
                sink.put('\n');
                continue;
            }
            if (const CPropertyList* nested = pendingNested(*item)) {
                resume.push_back(link);
                link = PropertyAccess::firstLink(*nested);
                continue;
            }
            sink.put(PropertyAccess::storedValue(*item));
            sink.put("}\n");
        }
        if (resume.empty()) return;
        link = resume.back();
        resume.pop_back();
        ahead = Prefetcher(link);
        sink.put("}\n");
    }
}

// The field of `item`, or, when `item` is null, the items of a list from `link` on.
template <class Sink>
void putText(Sink& sink, const CPropertyItem* item, const Link* link) {
    if (!item) {
        putItemsFrom(sink, link);
        return;
    }
    if (!openField(sink, *item)) return;
    if (const CPropertyList* nested = pendingNested(*item)) {
        putItemsFrom(sink, PropertyAccess::firstLink(*nested));
    } else {
        sink.put(PropertyAccess::storedValue(*item));
    }
    sink.put('}');
}

void appendText(std::string& out, const CPropertyItem* item, const Link* link) {
    ChunkWriter writer;
    putText(writer, item, link);
    writer.appendTo(out);
}

}  // namespace

namespace {
// The longest value a CString holds without an allocation of its own.
const std::size_t inPlaceCapacity = CString().str().capacity();
}  // namespace

void PropertyAccess::appendFields(CPropertyList& list, std::string_view label, std::string_view type,
                                  std::string_view value) {
    bool keep = value.size() > inPlaceCapacity && value.size() <= kMaxKeptValue;
    list.items_.push_back(NewItemNode(list.slab_, keep ? KeptSize(value) : 0, [&](char* tail) {
        return CPropertyItem(CPropertyItem::FromFields{}, label, type, value, keep ? KeepText(tail, value) : nullptr);
    }));
}

void PropertyAccess::appendParsed(CPropertyList& list, std::string_view text) {
    ListReader reader(text);
    ItemFields fields;
    while (reader.next(fields)) appendFields(list, fields.label, fields.type, fields.value);
}

bool PropertyAccess::takeFront(CPropertyList& list, CPropertyItem& into) {
    std::unique_ptr<Link> link(list.items_.pop_front());
    CPropertyItem* item = link ? static_cast<SList<CPropertyItem, 0>::SListLink*>(link.get())->value : nullptr;
    into = item ? std::move(*item) : CPropertyItem();
    return item != nullptr;
}

void PropertyAccess::copyTree(CPropertyList& to, const CPropertyList& from) {
    std::vector<std::pair<const CPropertyList*, CPropertyList*>> pending{{&from, &to}};
    while (!pending.empty()) {
        auto [source, target] = pending.back();
        pending.pop_back();
        for (const CPropertyItem* item : source->items_) {
            appendFields(*target, item->label_.view(), item->type_.view(), item->storedView());
            if (item->list_) {
                CPropertyItem& copy = static_cast<ItemNode*>(target->items_.back())->item;
                copy.list_ = new CPropertyList;
                pending.emplace_back(item->list_, copy.list_);
            }
        }
    }
}

CPropertyList* PropertyAccess::clone(const CPropertyList& list) {
    auto root = std::make_unique<CPropertyList>();
    copyTree(*root, list);
    return root.release();
}

void PropertyAccess::destroy(CPropertyList* list) {
    // Flattens the tree into `list` as it goes: the nodes of a nested list move to the end of
    // the list being emptied, so every item is freed with no nested list left below it.
    auto& items = list->items_;
    while (Link* link = items.pop_front()) {
        CPropertyItem* item = static_cast<SList<CPropertyItem, 0>::SListLink*>(link)->value;
        if (CPropertyList* nested = item ? std::exchange(item->list_, nullptr) : nullptr) {
            while (Link* inner = nested->items_.pop_front()) items.push_back(inner);
            delete nested;
        }
        delete link;
    }
    delete list;
}

void PropertyAccess::appendListText(std::string& out, const CPropertyList& list) {
    appendText(out, nullptr, firstLink(list));
}

void PropertyAccess::appendField(std::string& out, const CPropertyItem& item) { appendText(out, &item, nullptr); }

}  // namespace veltutil::detail
