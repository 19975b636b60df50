#pragma once

#include "veltutil/export.h"
#include "veltutil/foundation/selectable_string.h"
#include "veltutil/foundation/slist_nodes.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/strings/cstring_array.h"

// A named array of strings, for option sets that commands refer to by name. String
// comparisons are exact.
class VELTUTIL_API NamedCStringArray {
public:
    NamedCStringArray() = default;
    explicit NamedCStringArray(const char* name) : name_(name) {}
    NamedCStringArray(const char* name, const CStringArray& strings) : name_(name), array_(strings) {}
    NamedCStringArray(const NamedCStringArray&) = default;
    NamedCStringArray& operator=(const NamedCStringArray&) = default;
    ~NamedCStringArray() = default;

    const CString& name() const { return name_; }
    CStringArray& array() { return array_; }
    CStringArray* operator->() { return &array_; }

    // Index of the first entry equal to `s`, or -1.
    int Find(const char* s) const;
    void AddCStrings(const CStringArray& strings);
    // Removes, for each of `strings` in turn, the first equal entry.
    void RemoveCStrings(const CStringArray& strings);
    // Gives `selection` to each element of `list` whose text is an entry of the array.
    void SelectCStrings(SelectableStringList& list, int selection) const;
    // Replaces the entries with the texts of the elements whose selection has a bit of `mask`.
    void SetStrings(const SelectableStringList& list, int mask);

private:
    CString name_;
    CStringArray array_;
};

// Owning list of named arrays; copies are deep and node for node.
class VELTUTIL_API NamedCStringArrayList : public veltutil::detail::NodeCopyingSList<NamedCStringArray> {
public:
    NamedCStringArrayList() = default;
    NamedCStringArrayList(const NamedCStringArrayList&) = default;
    NamedCStringArrayList& operator=(const NamedCStringArrayList&) = default;
    virtual ~NamedCStringArrayList();

    // Position (counting every node from the head) of the first element named `name`, or -1.
    int Find(const char* name) const;
};
