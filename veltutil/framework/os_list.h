#pragma once

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/platform/host/strings/cobject.h"

class CEventSink;
class OrvVariant;

// A hook record: a sink and its registrant's data, which the list never reads or frees. A
// released hook has a null sink.
struct EventInfo {
    CEventSink* sink = nullptr;
    OrvVariant* data = nullptr;
};

// An owning list of hook records that framework containers can hold.
//
// Walks that may remove records pair begin_walk with end_walk and remove through mark_removed:
// removals are counted, and only a walk that ends with some counted pays for the purge pass of
// unlock_remove.
class VELTUTIL_API COSList : public CObject, public SList<EventInfo, 0> {
public:
    COSList() = default;
    COSList(const COSList&) = delete;
    COSList& operator=(const COSList&) = delete;
    ~COSList() override;

    // A walk takes the removal lock and gives back exactly what it took: walks nest and every
    // one of them ends before the one around it, so restoring the count the walk began with
    // is the same as decrementing it, without reading it back.
    long begin_walk() const { return remove_lock++; }
    void end_walk(long lockBefore) {
        if (lockBefore > 0 || pending_ == 0) {
            remove_lock = lockBefore;
            return;
        }
        pending_ = 0;
        unlock_remove();
    }
    // Removes the node at once, or marks it when a walk holds the list.
    void mark_removed(VoidListLink* node) {
        if (remove(node)) {
            delete node;
        } else {
            ++pending_;
        }
    }

private:
    long pending_ = 0;
};
