#pragma once

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/properties/property_item.h"

namespace veltutil::detail {
struct ItemSlab;
}

// An ordered, owning list of property items with a text form: each item's `label:type{value}`
// followed by a line feed. Labels may repeat; there is no lookup by label.
//
// Reading text never recurses and never copies the text that remains, so malformed or deeply
// nested input costs time linear in its length.
class VELTUTIL_API CPropertyList {
public:
    CPropertyList();
    // Reads items up to the first one without a label or with unmatched braces.
    explicit CPropertyList(const CString& text);
    // Holds a copy of `item` even when the item is empty.
    explicit CPropertyList(const CPropertyItem& item);
    CPropertyList(const CPropertyList& other);
    CPropertyList(CPropertyList&& other) noexcept;
    CPropertyList& operator=(const CPropertyList& other);
    CPropertyList& operator=(CPropertyList&& other) noexcept;
    ~CPropertyList();

    int IsEmpty() const { return items_.is_empty(); }
    long GetCount() const { return items_.length(); }

    // Ignores an empty item (blank label).
    void AddItem(const CPropertyItem& item);
    void AddItem(CPropertyItem&& item);
    void AppendItems(const CPropertyList& other);
    void MergeItem(const CPropertyItem& item, const CPropertyList& other);
    int ExtractField(CPropertyItem& first, CPropertyList& rest) const;
    int GetNth(int n, CPropertyItem& item) const;
    int GetNthTail(int n, CPropertyItem& item, CPropertyList& tail) const;

    CString GetList() const;
    // Writes GetList() and a line end; a file that cannot be opened is skipped.
    void SaveList(const char* path) const;

    // Walks the live items: `for (CPropertyItem* item : list)`.
    SList<CPropertyItem, 0>::iter begin() const { return items_.begin(); }
    std::default_sentinel_t end() const { return {}; }

private:
    friend struct veltutil::detail::PropertyAccess;
    CopiableSList<CPropertyItem> items_;
    // Where this list makes the nodes of the items added to it (several per allocation).
    veltutil::detail::ItemSlab* slab_ = nullptr;
};

// Indented display form of one item: the label, ":" and type after `indent` spaces (at most
// 540); a nested list is shown between braces on lines of their own, its items two spaces
// further in. Lines end with "\r\n" when `crlf` is non-zero, else "\n".
VELTUTIL_API CString formatPropertyItem(const CPropertyItem& item, int indent, int crlf);
// The display form of each item of `list` up to the first empty one, at `indent` + 1.
VELTUTIL_API CString formatPropertyList(const CPropertyList& list, int indent, int crlf);
