#pragma once

#include <vector>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

namespace veltutil::detail {

// The strings of a list box or combo box, each with a data value and a selection mark, and one
// current item (a list box's caret, a combo box's selection), which insertions and deletions
// keep on its item; deleting it leaves none (-1). Searches and sorted insertion compare
// case-insensitively (in the C locale), as those controls do.
class StringList {
public:
    struct Item {
        CString text;
        DWORD_PTR data = 0;
        bool selected = false;
    };

    int Count() const { return static_cast<int>(items_.size()); }
    bool IsItem(int index) const { return index >= 0 && index < Count(); }
    Item& At(int index) { return items_[static_cast<std::size_t>(index)]; }
    const Item& At(int index) const { return items_[static_cast<std::size_t>(index)]; }

    // Appends, or with `sorted` inserts after every item whose text does not sort after it;
    // returns the new index.
    int Add(const char* text, bool sorted);
    // Inserts before `index`, -1 meaning at the end; -1 for an index past the end.
    int Insert(int index, const char* text);
    bool Delete(int index);
    void Clear() {
        items_.clear();
        current_ = -1;
    }

    int Current() const { return current_; }
    // -1, or an index that is no item, means none.
    void SetCurrent(int index) { current_ = IsItem(index) ? index : -1; }

    // 0 for no such item.
    DWORD_PTR Data(int index) const { return IsItem(index) ? At(index).data : 0; }
    bool SetData(int index, DWORD_PTR data);

    // The first item after `start` (from the first with -1), wrapping round to `start` itself,
    // whose text begins with `text` (or, `exact`, equals it); -1 for none.
    int Find(int start, const char* text, bool exact) const;

private:
    int Inserted(std::vector<Item>::iterator at, const char* text);

    std::vector<Item> items_;
    int current_ = -1;
};

}  // namespace veltutil::detail
