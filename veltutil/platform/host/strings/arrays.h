#pragma once

#include <cstdint>
#include <vector>

#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// The framework's growable arrays of values. Indices outside the array are caller errors that
// the accessors do not check, as in the framework. An array of object pointers (CObArray) never
// owns what it points to: whoever added an object deletes it.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    int GetSize() const { return static_cast<int>(items_.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return items_.empty(); }
    // New elements are value-initialised (zero, null).
    void SetSize(int size) { items_.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }

    const TYPE& GetAt(int index) const { return items_[static_cast<std::size_t>(index)]; }
    TYPE& ElementAt(int index) { return items_[static_cast<std::size_t>(index)]; }
    void SetAt(int index, ARG_TYPE value) { items_[static_cast<std::size_t>(index)] = value; }
    const TYPE& operator[](int index) const { return GetAt(index); }
    TYPE& operator[](int index) { return ElementAt(index); }

    // Returns the new element's index.
    int Add(ARG_TYPE value) {
        items_.push_back(value);
        return GetUpperBound();
    }
    // An index past the end grows the array to it first, as the framework does.
    void InsertAt(int index, ARG_TYPE value, int count = 1) {
        if (index > GetSize()) SetSize(index);
        items_.insert(items_.begin() + index, static_cast<std::size_t>(count > 0 ? count : 0), value);
    }
    void RemoveAt(int index, int count = 1) { items_.erase(items_.begin() + index, items_.begin() + index + count); }
    void RemoveAll() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<TYPE> items_;
};

class VELTHOST_API CDWordArray : public CArray<DWORD, DWORD> {
public:
    ~CDWordArray() override;
};

class VELTHOST_API CObArray : public CArray<CObject*, CObject*> {
public:
    ~CObArray() override;
};
