#pragma once

#include "veltutil/export.h"

// Untyped base of every intrusive list: a doubly linked chain of heap nodes.
//
// Deferred removal: while any iterator exists the removal lock is held, and `remove` only marks
// the node; marked nodes are unlinked and destroyed when the last iterator goes away. Callbacks
// that run during a walk may therefore remove any element, the current one included.
class VELTUTIL_API VoidList {
public:
    class VELTUTIL_API VoidListLink {
    public:
        VoidListLink() = default;
        VoidListLink(const VoidListLink&) = delete;
        VoidListLink& operator=(const VoidListLink&) = delete;
        virtual ~VoidListLink();
        // Hands the element out and forgets it; the base node holds none.
        virtual void* detach_value();
        // Stores `value` as the element and returns the previous one; the base node holds none.
        virtual void* exchange_value(void* value);

        VoidListLink* next = nullptr;
        VoidListLink* prev = nullptr;
        int removed = 0;
    };

    // A position in a list; holds the list's removal lock for as long as it lives. A copy takes
    // a lock of its own, so that `insert`, which releases the lock of the position it receives,
    // never releases a lock held by the caller's iterator.
    class VELTUTIL_API iter {
    public:
        // The removal lock is not part of a list's value, so a const list can be walked.
        explicit iter(const VoidList& list);
        iter(const iter& other);
        iter& operator=(const iter& other);
        ~iter();

        VoidListLink* link() const { return current_; }
        bool at_end() const { return current_ == nullptr; }
        // Moves to the next node, marked or not; stays at the end once there.
        iter& operator++();

    private:
        VoidList* list_;
        VoidListLink* current_;
    };

    VoidList() = default;
    // Shallow: both lists refer to the same nodes afterwards (deep copies are CopiableSList's).
    VoidList(const VoidList& other) = default;
    VoidList& operator=(const VoidList& other) = default;
    virtual ~VoidList();

    int is_empty() const { return head == nullptr; }
    VoidListLink* front() const { return head; }
    VoidListLink* back() const { return tail; }
    long length() const;
    VoidListLink* nth(long n) const;

    void push_front(VoidListLink* node);
    void push_back(VoidListLink* node) {
        if (!node) return;
        node->next = nullptr;
        node->prev = tail;
        if (tail) tail->next = node;
        else head = node;
        tail = node;
    }
    void insert(iter pos, VoidListLink* node);
    VoidListLink* pop_front();
    VoidListLink* pop_back();
    void drop_front();
    int remove(VoidListLink* node);
    void erase_all();
    void swap_with(VoidList& other);
    void reverse();

    void lock_remove() const { ++remove_lock; }
    void unlock_remove();

protected:
    // Receives pointers to two array slots, each holding an element pointer (qsort's contract).
    int sort(int (*cmp)(void*, void*));
    virtual void deleteLinkValue(VoidListLink* node);

    VoidListLink* head = nullptr;
    VoidListLink* tail = nullptr;
    mutable long remove_lock = 0;

private:
    void unlink(VoidListLink* node);

    // At least the number of nodes marked since the last purge: when it is 0, the last walk
    // to end skips the purge pass over the whole list, so a walk costs only its own steps.
    long markedCount_ = 0;
};
