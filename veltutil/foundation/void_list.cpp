#include "veltutil/foundation/void_list.h"

#include <cstdlib>
#include <vector>

VoidList::VoidListLink::~VoidListLink() = default;

void* VoidList::VoidListLink::detach_value() { return nullptr; }

void* VoidList::VoidListLink::exchange_value(void*) { return nullptr; }

VoidList::iter::iter(const VoidList& list) : list_(const_cast<VoidList*>(&list)), current_(list.head) {
    list_->lock_remove();
}

VoidList::iter::iter(const iter& other) : list_(other.list_), current_(other.current_) { list_->lock_remove(); }

VoidList::iter& VoidList::iter::operator=(const iter& other) {
    if (this == &other) return *this;
    other.list_->lock_remove();
    list_->unlock_remove();
    list_ = other.list_;
    current_ = other.current_;
    return *this;
}

VoidList::iter::~iter() { list_->unlock_remove(); }

VoidList::iter& VoidList::iter::operator++() {
    if (current_) current_ = current_->next;
    return *this;
}

VoidList::~VoidList() { erase_all(); }

long VoidList::length() const {
    long count = 0;
    for (VoidListLink* node = head; node; node = node->next) ++count;
    return count;
}

VoidList::VoidListLink* VoidList::nth(long n) const {
    VoidListLink* node = head;
    for (long i = 0; node && i < n; ++i) node = node->next;
    return node;
}

void VoidList::push_front(VoidListLink* node) {
    if (!node) return;
    node->prev = nullptr;
    node->next = head;
    if (head) head->prev = node;
    else tail = node;
    head = node;
}

void VoidList::insert(iter pos, VoidListLink* node) {
    if (!node) return;
    VoidListLink* before = pos.link();
    if (!before) {
        push_back(node);
        return;
    }
    node->next = before;
    node->prev = before->prev;
    if (before->prev) before->prev->next = node;
    else head = node;
    before->prev = node;
}

VoidList::VoidListLink* VoidList::pop_front() {
    VoidListLink* node = head;
    if (node) unlink(node);
    return node;
}

VoidList::VoidListLink* VoidList::pop_back() {
    VoidListLink* node = tail;
    if (node) unlink(node);
    return node;
}

void VoidList::drop_front() { delete pop_front(); }

int VoidList::remove(VoidListLink* node) {
    if (!node) return 1;
    if (remove_lock > 0) {
        if (!node->removed) ++markedCount_;
        node->removed = 1;
        return 0;
    }
    unlink(node);
    return 1;
}

void VoidList::erase_all() {
    VoidListLink* node = head;
    head = tail = nullptr;
    markedCount_ = 0;
    while (node) {
        VoidListLink* next = node->next;
        delete node;
        node = next;
    }
}

void VoidList::swap_with(VoidList& other) {
    std::swap(head, other.head);
    std::swap(tail, other.tail);
    std::swap(markedCount_, other.markedCount_);
}

void VoidList::reverse() {
    VoidListLink* node = head;
    head = tail = nullptr;
    markedCount_ = 0;
    while (node) {
        VoidListLink* next = node->next;
        push_front(node);
        node = next;
    }
}

void VoidList::unlock_remove() {
    if (--remove_lock > 0) return;
    remove_lock = 0;
    if (markedCount_ == 0) return;
    markedCount_ = 0;
    // All marked nodes are unlinked before any element is freed, so an element destructor that
    // walks this list again finds no marked node left to free twice.
    VoidListLink* doomed = nullptr;
    for (VoidListLink* node = head; node;) {
        VoidListLink* next = node->next;
        if (node->removed) {
            unlink(node);
            node->next = doomed;
            doomed = node;
        }
        node = next;
    }
    while (doomed) {
        VoidListLink* next = doomed->next;
        deleteLinkValue(doomed);
        delete doomed;
        doomed = next;
    }
}

namespace {
// qsort wants a comparator of const pointers; the list's interface hands out plain ones. The
// trampoline keeps the call type-correct; saving the previous comparator keeps a comparator that
// itself sorts a list working.
thread_local int (*activeComparator)(void*, void*) = nullptr;

int compareSlots(const void* a, const void* b) {
    return activeComparator(const_cast<void*>(a), const_cast<void*>(b));
}
}  // namespace

int VoidList::sort(int (*cmp)(void*, void*)) {
    if (remove_lock != 0) return 0;
    std::vector<void*> values;
    for (VoidListLink* node = head; node; node = node->next) values.push_back(node->detach_value());
    if (values.empty()) return 1;
    auto* previous = activeComparator;
    activeComparator = cmp;
    std::qsort(values.data(), values.size(), sizeof(void*), compareSlots);
    activeComparator = previous;
    std::size_t i = 0;
    for (VoidListLink* node = head; node; node = node->next) node->exchange_value(values[i++]);
    return 1;
}

void VoidList::deleteLinkValue(VoidListLink*) {}

void VoidList::unlink(VoidListLink* node) {
    if (node->prev) node->prev->next = node->next;
    else head = node->next;
    if (node->next) node->next->prev = node->prev;
    else tail = node->prev;
    node->next = node->prev = nullptr;
}
