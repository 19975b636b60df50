#include "veltutil/platform/host/strings/cstring_array.h"

#include <algorithm>

CStringArray::~CStringArray() = default;

void CStringArray::SetSize(int size) { items_.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }

int CStringArray::Add(const CString& text) {
    items_.push_back(text);
    return GetUpperBound();
}

int CStringArray::Append(const CStringArray& other) {
    int first = GetSize();
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    return first;
}

void CStringArray::InsertAt(int index, const CString& text, int count) {
    if (count <= 0) return;
    auto at = static_cast<std::size_t>(std::clamp(index, 0, GetSize()));
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::size_t>(count), text);
}

void CStringArray::RemoveAt(int index, int count) {
    if (index < 0 || index >= GetSize() || count <= 0) return;
    auto last = std::min(static_cast<std::size_t>(index) + static_cast<std::size_t>(count), items_.size());
    items_.erase(items_.begin() + index, items_.begin() + static_cast<std::ptrdiff_t>(last));
}
