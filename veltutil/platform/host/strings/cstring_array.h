#pragma once

#include <vector>

#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/strings/cstring.h"

// The framework's growable array of strings. Indices outside the array are caller errors that
// the accessors do not check, as in the framework.
class VELTHOST_API CStringArray : public CObject {
public:
    CStringArray() = default;
    CStringArray(const CStringArray&) = default;
    CStringArray& operator=(const CStringArray&) = default;
    CStringArray(CStringArray&&) noexcept = default;
    CStringArray& operator=(CStringArray&&) noexcept = default;
    ~CStringArray() override;

    int GetSize() const { return static_cast<int>(items_.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return items_.empty(); }
    void SetSize(int size);

    const CString& GetAt(int index) const { return items_[static_cast<std::size_t>(index)]; }
    CString& ElementAt(int index) { return items_[static_cast<std::size_t>(index)]; }
    void SetAt(int index, const CString& text) { items_[static_cast<std::size_t>(index)] = text; }
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return ElementAt(index); }

    int Add(const CString& text);
    int Append(const CStringArray& other);
    void Copy(const CStringArray& other) { items_ = other.items_; }
    void InsertAt(int index, const CString& text, int count = 1);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

private:
    std::vector<CString> items_;
};
