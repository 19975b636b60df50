#include "veltutil/properties/com_item.h"

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/logs/tree_log.h"
#include "veltutil/properties/variant.h"

namespace {

constexpr const char* kGrapherItemName = "Arbitrary-Grapher";

// The item through which a source or a sink answers property writes. It is a member of the
// (non-const) component, so casting away GetOwner's const only undoes that view.
const ComItem& ownerOf(const ComItem& item) {
    return item.GetType() == ComItem::ItemEventSource ? item.GetEventSource()->GetOwner()
                                                       : item.GetEventSink()->GetOwner();
}

}  // namespace

ComItem::ComItem(CTreeLog* log, bool counted) { SetValue(log, counted); }
ComItem::ComItem(CGrapherSource* grapher, bool counted) { SetValue(grapher, counted); }
ComItem::ComItem(CEventSource* source, bool counted) { SetValue(source, counted); }
ComItem::ComItem(CEventSink* sink, bool counted) { SetValue(sink, counted); }
ComItem::ComItem(CInstrumentInterface* snapIn, bool counted) { SetValue(snapIn, counted); }
ComItem::ComItem(CGuiFE* frontEnd, bool counted) { SetValue(frontEnd, counted); }
ComItem::ComItem(const ComItem& other, bool counted) { SetValue(other, counted); }

ComItem& ComItem::operator=(const ComItem& other) {
    SetValue(other, true);
    return *this;
}

ComItem::~ComItem() { SetValue(); }

void ComItem::SetValue() {
    // A grapher's count is raised by a counted item but never lowered: plotting sources live as
    // long as the library and are shared by every front end.
    if (type_ == ItemGrapher) counted_ = false;
    if (type_ != ItemNone && counted_ && target_) target_->DecRefCount();
    target_ = nullptr;
    type_ = ItemNone;
    counted_ = false;
    name_.Empty();
}

void ComItem::Set(ItemType type, CInterfaceBase* target, const char* name, bool counted) {
    SetValue();
    if (!target) return;
    type_ = type;
    target_ = target;
    name_ = name;
    counted_ = counted;
    if (counted) target->IncRefCount();
}

void ComItem::SetValue(CTreeLog* log, bool counted) {
    Set(ItemCmdLog, log, log ? log->CInterfaceBase::GetName() : nullptr, counted);
}

void ComItem::SetValue(CGrapherSource* grapher, bool counted) {
    Set(ItemGrapher, grapher, kGrapherItemName, counted);
}

void ComItem::SetValue(CEventSource* source, bool counted) {
    Set(ItemEventSource, source, source ? source->GetName() : nullptr, counted);
}

void ComItem::SetValue(CEventSink* sink, bool counted) {
    Set(ItemEventSink, sink, sink ? sink->GetName() : nullptr, counted);
}

void ComItem::SetValue(CInstrumentInterface* snapIn, bool counted) {
    Set(ItemSnapIn, snapIn, snapIn ? snapIn->CInterfaceBase::GetName() : nullptr, counted);
}

void ComItem::SetValue(CGuiFE* frontEnd, bool counted) {
    Set(ItemGuiFE, frontEnd, frontEnd ? frontEnd->GetName() : nullptr, counted);
}

void ComItem::SetValue(const ComItem& other, bool counted) {
    // Taken before the release, which would clear them when other is this item.
    CInterfaceBase* target = other.target_;
    ItemType type = other.type_;
    CString name = other.name_;
    if (counted && target) target->IncRefCount();
    SetValue();
    target_ = target;
    type_ = type;
    name_ = std::move(name);
    counted_ = counted;
}

ComItem& ComItem::SetName(const char* name) {
    name_ = name;
    return *this;
}

const char* ComItem::GetTypeName() const {
    switch (type_) {
    case ItemNone: return "None";
    case ItemEventSource: return "Event Source";
    case ItemEventSink: return "Event Sink";
    case ItemGrapher: return "Grapher";
    case ItemCmdLog: return "Command Log";
    case ItemGuiFE: return "GuiFE";
    case ItemSnapIn: return "SnapIn";
    }
    return "????";
}

const char* ComItem::GetFullName() const {
    switch (type_) {
    case ItemEventSource:
    case ItemEventSink:
    case ItemGuiFE:
    case ItemSnapIn:
        return target_->GetFullName();
    default:
        return name_;
    }
}

CEventSource* ComItem::GetEventSource() const {
    return type_ == ItemEventSource ? static_cast<CEventSource*>(target_) : nullptr;
}

CEventSink* ComItem::GetEventSink() const {
    return type_ == ItemEventSink ? static_cast<CEventSink*>(target_) : nullptr;
}

CGrapherSource* ComItem::GetGrapher() const {
    return type_ == ItemGrapher ? static_cast<CGrapherSource*>(target_) : nullptr;
}

CTreeLog* ComItem::GetCmdLog() const {
    return type_ == ItemCmdLog ? static_cast<CTreeLog*>(target_) : nullptr;
}

CGuiFE* ComItem::GetGuiFE() const {
    return type_ == ItemGuiFE ? static_cast<CGuiFE*>(target_) : nullptr;
}

CInstrumentInterface* ComItem::GetSnapIn() const {
    return type_ == ItemSnapIn ? static_cast<CInstrumentInterface*>(target_) : nullptr;
}

int ComItem::HasName(NameSource source, const char* name) {
    const char* wanted = name ? name : "";
    if (source == NameByItem) return name_ == wanted ? 1 : 0;
    if (source != NameByProperty) return 0;
    OrvVariant reported;
    if (GetProperty(3, reported, nullptr, nullptr) != S_OK) return 0;
    const CString* text = reported.GetString();
    return text && *text == wanted ? 1 : 0;
}

int ComItem::GetShown() const {
    if (!target_) return -1;
    switch (type_) {
    case ItemGrapher: {
        int shown = -1;
        GetGrapher()->GetShown(&shown);
        return shown;
    }
    case ItemCmdLog:
        return GetCmdLog()->GetShown();
    case ItemSnapIn: {
        OrvVariant shown;
        if (GetSnapIn()->GetProperty(4, shown, nullptr, nullptr) != S_OK) return -1;
        const long* value = shown.GetInt();
        return value ? static_cast<int>(*value) : -1;
    }
    default:
        return -1;
    }
}

void ComItem::Show(bool show) const {
    if (!target_) return;
    switch (type_) {
    case ItemGrapher:
        GetGrapher()->Show(show ? 5 : 0);
        break;
    case ItemCmdLog:
        GetCmdLog()->Show(show ? 1 : 0);
        break;
    case ItemSnapIn:
        GetSnapIn()->SetProperty(5, OrvVariant(show ? 1L : 0L), nullptr, nullptr);
        break;
    default:
        break;
    }
}

void ComItem::ClearAllPages(CString* text) {
    if (CGrapherSource* grapher = GetGrapher()) grapher->ClearAllPages(text);
}

long ComItem::GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance*) {
    switch (type_) {
    case ItemEventSource: return GetEventSource()->GetProperty(id, value, in, nullptr);
    case ItemEventSink: return GetEventSink()->GetProperty(id, value, in, nullptr);
    case ItemGuiFE: return GetGuiFE()->GetProperty(id, value, in, nullptr);
    case ItemSnapIn: return GetSnapIn()->GetProperty(id, value, in, nullptr);
    default: return S_FALSE;
    }
}

long ComItem::SetProperty(long id, const OrvVariant& value, const OrvVariant* in, CTreeInstance*) {
    // Sources and sinks answer through their owner, which may again be a source or a sink. The
    // chain is walked here, with a second walker at half speed: on a cycle the two meet.
    const ComItem* item = this;
    const ComItem* halfway = this;
    for (bool advanceHalfway = false; item->type_ == ItemEventSource || item->type_ == ItemEventSink;
         advanceHalfway = !advanceHalfway) {
        item = &ownerOf(*item);
        if (advanceHalfway) halfway = &ownerOf(*halfway);
        if (item->target_ == halfway->target_ && item->target_ != nullptr) return E_FAIL;
    }
    if (item != this) return const_cast<ComItem*>(item)->SetProperty(id, value, in, nullptr);
    switch (type_) {
    case ItemGuiFE: return GetGuiFE()->SetProperty(id, value, in, nullptr);
    case ItemSnapIn: return GetSnapIn()->SetProperty(id, value, in, nullptr);
    default: return S_FALSE;
    }
}
