#pragma once

#include <iterator>
#include <new>

#include "veltutil/foundation/void_list.h"

// Typed intrusive list whose nodes hold one T*. N is the ownership policy: 0 owns the elements
// (a node deletes its element), any other value only refers to elements owned elsewhere (the
// library uses 2 and 3 and treats them alike).
template <class T, int N>
class VELTUTIL_API SList : public VoidList {
public:
    static constexpr bool owns_elements = N == 0;

    class SListLink : public VoidListLink {
    public:
        explicit SListLink(T* element) : value(element) {}
        ~SListLink() override { release(); }
        void* detach_value() override {
            T* element = value;
            value = nullptr;
            return element;
        }
        void* exchange_value(void* element) override {
            T* previous = value;
            value = static_cast<T*>(element);
            return previous;
        }
        void release() {
            if constexpr (owns_elements) delete value;
            value = nullptr;
        }

        T* value;
    };

    // Walks the live elements (nodes neither marked removed nor empty), holding the removal lock.
    // Also an input iterator, so `for (T* element : list)` works.
    class iter : public VoidList::iter {
    public:
        using value_type = T*;
        using difference_type = std::ptrdiff_t;

        explicit iter(const SList& list) : VoidList::iter(list) { skip_dead(); }
        T* operator*() const { return at_end() ? nullptr : node()->value; }
        SListLink* node() const { return static_cast<SListLink*>(link()); }
        iter& operator++() {
            VoidList::iter::operator++();
            skip_dead();
            return *this;
        }
        void operator++(int) { ++*this; }
        bool operator==(std::default_sentinel_t) const { return at_end(); }

    private:
        void skip_dead() {
            while (!at_end() && (link()->removed || !node()->value)) VoidList::iter::operator++();
        }
    };

    iter begin() const { return iter(*this); }
    std::default_sentinel_t end() const { return {}; }

    void append(T* element) { push_back(new SListLink(element)); }
    void prepend(T* element) { push_front(new SListLink(element)); }

    // Unlinks the first node and hands its element to the caller (null when the list is empty or
    // the node held none); the node itself is destroyed.
    T* take_front() {
        VoidListLink* link = pop_front();
        if (!link) return nullptr;
        T* element = static_cast<T*>(link->detach_value());
        delete link;
        return element;
    }

    // Removes the first live node that holds `element`: deferred while a walk runs, otherwise at
    // once, destroying the node (and, for an owning list, the element) as deferred removal would.
    // Returns what `remove` returns, or 1 when no node holds the element.
    int remove_value(const T* element) {
        for (VoidListLink* link = head; link; link = link->next) {
            if (link->removed || static_cast<SListLink*>(link)->value != element) continue;
            if (!remove(link)) return 0;
            delete link;
            return 1;
        }
        return 1;
    }

    using VoidList::sort;

protected:
    void deleteLinkValue(VoidListLink* link) override { static_cast<SListLink*>(link)->release(); }
};

// An owning list that copies deeply: each live element of the source is copy-constructed.
template <class T>
class VELTUTIL_API CopiableSList : public SList<T, 0> {
public:
    CopiableSList() = default;
    CopiableSList(const CopiableSList& other) : SList<T, 0>() { append_copies(other); }
    CopiableSList& operator=(const CopiableSList& other) {
        if (this == &other) return *this;
        this->erase_all();
        append_copies(other);
        return *this;
    }

private:
    // An element whose copy cannot be allocated is skipped.
    void append_copies(const SList<T, 0>& source) {
        for (T* element : source) {
            try {
                this->append(new T(*element));
            } catch (const std::bad_alloc&) {
            }
        }
    }
};
