#pragma once

#include "veltutil/foundation/slist.h"

// Node-level walks that the string collections share: positions count every node from the
// head, as VoidList::nth does, while only live nodes (not marked removed, holding an element)
// take part in lookups.
namespace veltutil::detail {

template <class T, int N>
T* NodeValue(VoidList::VoidListLink* link) {
    return static_cast<typename SList<T, N>::SListLink*>(link)->value;
}

// Position of the first live element for which `match` holds, or -1.
template <class T, int N, class Match>
int FindLivePosition(const SList<T, N>& list, Match match) {
    int position = 0;
    for (VoidList::iter it(list); !it.at_end(); ++it, ++position) {
        T* element = NodeValue<T, N>(it.link());
        if (!it.link()->removed && element != nullptr && match(*element)) return position;
    }
    return -1;
}

// The live element at `position`, or null.
template <class T, int N>
T* LiveAt(const SList<T, N>& list, int position) {
    VoidList::VoidListLink* link = position >= 0 ? list.nth(position) : nullptr;
    return link != nullptr && !link->removed ? NodeValue<T, N>(link) : nullptr;
}

// Appends a copy of every node of `source`, marked ones included, so that positions carry over.
template <class T>
void AppendNodeCopies(SList<T, 0>& target, const SList<T, 0>& source) {
    for (VoidList::iter it(source); !it.at_end(); ++it) {
        T* element = NodeValue<T, 0>(it.link());
        target.append(element != nullptr ? new T(*element) : nullptr);
    }
}

// Owning list whose copies are deep and node for node (AppendNodeCopies).
template <class T>
class VELTUTIL_API NodeCopyingSList : public SList<T, 0> {
public:
    NodeCopyingSList() = default;
    NodeCopyingSList(const NodeCopyingSList& other) : SList<T, 0>() { AppendNodeCopies(*this, other); }
    NodeCopyingSList& operator=(const NodeCopyingSList& other) {
        if (this == &other) return *this;
        this->erase_all();
        AppendNodeCopies(*this, other);
        return *this;
    }
};

}  // namespace veltutil::detail
