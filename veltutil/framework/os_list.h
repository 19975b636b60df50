#pragma once

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/platform/host/cobject.h"

class CEventSink;
class OrvVariant;

// One hook of an event source: the sink and the registrant's data, which the source never reads
// or frees. A released hook has a null sink.
struct EventInfo {
    CEventSink* sink = nullptr;
    OrvVariant* data = nullptr;
};

// The hook list of one event: an owning list of hook records that framework containers can hold.
//
// Broadcasts walk it on every event, so a walk that marked nothing ends without the purge pass
// of unlock_remove: removals made through mark_removed are counted, and only a walk that ends
// with some counted pays for the purge.
class VELTUTIL_API COSList : public CObject, public SList<EventInfo, 0> {
public:
    COSList() = default;
    COSList(const COSList&) = delete;
    COSList& operator=(const COSList&) = delete;
    ~COSList() override;

    void begin_walk() const { ++remove_lock; }
    void end_walk() {
        if (remove_lock > 1 || pending_ == 0) {
            --remove_lock;
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
