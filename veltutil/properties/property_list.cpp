#include "veltutil/properties/property_list.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "veltutil/properties/internal/property_tree.h"

using veltutil::detail::PropertyAccess;

CPropertyList::CPropertyList() = default;

CPropertyList::CPropertyList(const CString& text) { PropertyAccess::appendParsed(*this, text.view()); }

CPropertyList::CPropertyList(const CPropertyItem& item) {
    PropertyAccess::append(*this, item);
}

CPropertyList::CPropertyList(const CPropertyList& other) : CPropertyList() {
    PropertyAccess::copyTree(*this, other);
}

CPropertyList::CPropertyList(CPropertyList&& other) noexcept {
    items_.swap_with(other.items_);
    std::swap(slab_, other.slab_);
}

CPropertyList& CPropertyList::operator=(const CPropertyList& other) {
    // Copy before letting go of our items: `other` may be nested inside one of them.
    if (this != &other) *this = CPropertyList(other);
    return *this;
}

CPropertyList& CPropertyList::operator=(CPropertyList&& other) noexcept {
    if (this != &other) {
        CPropertyList old(std::move(*this));
        items_.swap_with(other.items_);
        std::swap(slab_, other.slab_);
    }
    return *this;
}

CPropertyList::~CPropertyList() {
    // The slab outlives this call while nodes in it are still linked; the last one frees it.
    veltutil::detail::CloseSlab(slab_);
}

void CPropertyList::AddItem(const CPropertyItem& item) {
    if (!item.IsEmpty()) PropertyAccess::append(*this, item);
}

void CPropertyList::AddItem(CPropertyItem&& item) {
    if (!item.IsEmpty()) PropertyAccess::append(*this, std::move(item));
}

void CPropertyList::AppendItems(const CPropertyList& other) {
    // Counted first, so that appending a list to itself doubles it instead of running forever.
    long count = 0;
    for (const CPropertyItem* item : other.items_) {
        if (item->IsEmpty()) break;
        ++count;
    }
    SList<CPropertyItem, 0>::iter it(other.items_);
    for (long i = 0; i < count; ++i, ++it) {
        const CPropertyItem& item = **it;
        PropertyAccess::append(*this, item);
    }
}

void CPropertyList::MergeItem(const CPropertyItem& item, const CPropertyList& other) {
    CPropertyItem first(item);  // before `item`, possibly ours, goes away
    if (&other != this) *this = other;
    PropertyAccess::prepend(*this, std::move(first));
}

int CPropertyList::ExtractField(CPropertyItem& first, CPropertyList& rest) const {
    first = CPropertyItem();
    if (&rest == this) return PropertyAccess::takeFront(rest, first) ? 1 : 0;
    SList<CPropertyItem, 0>::iter it(items_);
    if (it == std::default_sentinel) return 0;
    first = **it;
    for (++it; it != std::default_sentinel; ++it) {
        const CPropertyItem& item = **it;
        PropertyAccess::append(rest, item);
    }
    return 1;
}

int CPropertyList::GetNth(int n, CPropertyItem& item) const {
    const VoidList::VoidListLink* link = n < 0 ? nullptr : items_.nth(n);
    const CPropertyItem* found = link ? static_cast<const SList<CPropertyItem, 0>::SListLink*>(link)->value : nullptr;
    item = found ? *found : CPropertyItem();
    return found ? 1 : 0;
}

int CPropertyList::GetNthTail(int n, CPropertyItem& item, CPropertyList& tail) const {
    if (&tail != this) tail = *this;
    for (int i = 0; i <= n; ++i) {
        if (!tail.ExtractField(item, tail)) break;  // the rest would take nothing either
    }
    return item.IsEmpty() ? 0 : 1;
}

CString CPropertyList::GetList() const {
    std::string out;
    PropertyAccess::appendListText(out, *this);
    return CString(std::move(out));
}

void CPropertyList::SaveList(const char* path) const {
    std::FILE* file = path ? std::fopen(path, "w") : nullptr;
    if (!file) return;
    CString text = GetList();
    std::fwrite(text.GetString(), 1, static_cast<std::size_t>(text.GetLength()), file);
    std::fputc('\n', file);
    std::fclose(file);
}
