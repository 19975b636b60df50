#include "veltutil/platform/host/controls/internal/string_list.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace veltutil::detail {

namespace {

int compareNoCase(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        int left = std::tolower(static_cast<unsigned char>(a[i]));
        int right = std::tolower(static_cast<unsigned char>(b[i]));
        if (left != right) return left < right ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

int StringList::Inserted(std::vector<Item>::iterator at, const char* text) {
    auto inserted = items_.insert(at, Item{CString(text)});  // may move the items: measure afterwards
    auto index = static_cast<int>(inserted - items_.begin());
    if (current_ >= index) ++current_;
    return index;
}

int StringList::Add(const char* text, bool sorted) {
    auto at = items_.end();
    if (sorted) {
        std::string_view added = text ? text : "";
        at = std::upper_bound(items_.begin(), items_.end(), added,
                              [](std::string_view value, const Item& item) { return compareNoCase(value, item.text.view()) < 0; });
    }
    return Inserted(at, text);
}

int StringList::Insert(int index, const char* text) {
    if (index == -1) index = Count();
    if (index < 0 || index > Count()) return -1;
    return Inserted(items_.begin() + index, text);
}

bool StringList::Delete(int index) {
    if (!IsItem(index)) return false;
    items_.erase(items_.begin() + index);
    if (current_ == index) current_ = -1;
    if (current_ > index) --current_;
    return true;
}

bool StringList::SetData(int index, DWORD_PTR data) {
    if (!IsItem(index)) return false;
    At(index).data = data;
    return true;
}

int StringList::Find(int start, const char* text, bool exact) const {
    std::string_view wanted = text ? text : "";
    int first = IsItem(start) ? start + 1 : 0;
    for (int step = 0; step < Count(); ++step) {
        int index = (first + step) % Count();
        std::string_view candidate = At(index).text.view();
        if (!exact && candidate.size() >= wanted.size()) candidate = candidate.substr(0, wanted.size());
        if (compareNoCase(candidate, wanted) == 0) return index;
    }
    return -1;
}

}  // namespace veltutil::detail
