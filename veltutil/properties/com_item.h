#pragma once

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

class CInterfaceBase;
class CEventSource;
class CEventSink;
class CGrapherSource;
class CTreeLog;
class CGuiFE;
class CInstrumentInterface;
class CTreeInstance;
class OrvVariant;

// A handle to one registered component: its kind, its name and, when counted, one reference on
// it. The item never destroys its target; the target must outlive every item naming it.
class VELTUTIL_API ComItem {
public:
    // Fixed underlying types: callers may pass values outside the named ones.
    enum ItemType : int {
        ItemNone = 0,
        ItemEventSource = 2,
        ItemEventSink = 3,
        ItemGrapher = 4,
        ItemCmdLog = 5,
        ItemGuiFE = 6,
        ItemSnapIn = 7,
    };
    enum NameSource : int { NameByProperty = 0, NameByItem = 1 };

    ComItem() = default;
    ComItem(CTreeLog* log, bool counted);
    ComItem(CGrapherSource* grapher, bool counted);
    ComItem(CEventSource* source, bool counted);
    ComItem(CEventSink* sink, bool counted);
    ComItem(CInstrumentInterface* snapIn, bool counted);
    ComItem(CGuiFE* frontEnd, bool counted);
    ComItem(const ComItem& other, bool counted = true);
    ComItem& operator=(const ComItem& other);
    virtual ~ComItem();

    void SetValue();
    void SetValue(CTreeLog* log, bool counted);
    void SetValue(CGrapherSource* grapher, bool counted);
    void SetValue(CEventSource* source, bool counted);
    void SetValue(CEventSink* sink, bool counted);
    void SetValue(CInstrumentInterface* snapIn, bool counted);
    void SetValue(CGuiFE* frontEnd, bool counted);
    void SetValue(const ComItem& other, bool counted);
    ComItem& SetName(const char* name);

    ItemType GetType() const { return type_; }
    const char* GetTypeName() const;
    const char* GetName() const { return name_; }
    const char* GetFullName() const;
    explicit operator bool() const { return type_ != ItemNone; }
    bool IsCounted() const { return counted_; }

    CInterfaceBase* GetUnknown() const { return target_; }
    CEventSource* GetEventSource() const;
    CEventSink* GetEventSink() const;
    CGrapherSource* GetGrapher() const;
    CTreeLog* GetCmdLog() const;
    CGuiFE* GetGuiFE() const;
    CInstrumentInterface* GetSnapIn() const;

    int HasName(NameSource source, const char* name);
    int GetShown() const;
    void Show(bool show) const;
    void ClearAllPages(CString* text);

    virtual long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance);
    // Front ends and snap-ins answer themselves; sources and sinks answer through their owner
    // item, which may again be a source or a sink. An owner chain that comes back on itself
    // (a source owned by itself, or by a sink that it owns) answers E_FAIL.
    virtual long SetProperty(long id, const OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);

private:
    void Set(ItemType type, CInterfaceBase* target, const char* name, bool counted);

    CString name_;
    ItemType type_ = ItemNone;
    bool counted_ = false;
    CInterfaceBase* target_ = nullptr;
};

// The registry of component items: an owning list, so erasing an entry destroys the item and
// releases its reference. The snap-in container implements registration on it.
class VELTUTIL_API RegisteredItemMap : public SList<ComItem, 0> {};
