#include "veltutil/foundation/named_cstring_array.h"

#include "veltutil/foundation/slist_nodes.h"

using veltutil::detail::FindLivePosition;
using veltutil::detail::LiveAt;

int NamedCStringArray::Find(const char* s) const {
    CString wanted(s);
    for (int i = 0; i < array_.GetSize(); ++i)
        if (array_[i] == wanted) return i;
    return -1;
}

void NamedCStringArray::AddCStrings(const CStringArray& strings) {
    // A copy first, so that adding an array to itself adds each entry once.
    CStringArray added(strings);
    array_.Append(added);
}

void NamedCStringArray::RemoveCStrings(const CStringArray& strings) {
    CStringArray removed(strings);
    for (const CString& s : removed) {
        int index = Find(s);
        if (index >= 0) array_.RemoveAt(index);
    }
}

void NamedCStringArray::SelectCStrings(SelectableStringList& list, int selection) const {
    for (const CString& entry : array_)
        if (SelectableString* element = LiveAt(list, list.Find(entry))) element->selection(selection);
}

void NamedCStringArray::SetStrings(const SelectableStringList& list, int mask) {
    array_.RemoveAll();
    for (const SelectableString* element : list)
        if (element->selection() & mask) array_.Add(element->string());
}

NamedCStringArrayList::~NamedCStringArrayList() = default;

int NamedCStringArrayList::Find(const char* name) const {
    CString wanted(name);
    return FindLivePosition(*this, [&](const NamedCStringArray& element) { return element.name() == wanted; });
}
