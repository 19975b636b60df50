#include "veltutil/framework/event_sink.h"

#include "veltutil/framework/registered_events.h"
#include "veltutil/logs/tree_log.h"
#include "veltutil/properties/variant.h"

namespace {
constexpr CTreeLog::OutputStyle kUnhandledEventStyle = 1;
}

CEventSink::CEventSink(const char* name, const char* description)
    : CInterfaceBase(name, "CEventSink", description) {}

CEventSink::CEventSink(const char* name, CGuiFE* context) : CInterfaceBase(name, context) {}

CEventSink::~CEventSink() = default;

long CEventSink::HandleEvent(long id, CEventSource* source, const OrvVariant& in, OrvVariant& out,
                             OrvVariant* extra) {
    CEventSource::EventData data{id, &in, &out, extra};
    return HandleEventIndirect(source, &data);
}

long CEventSink::HandleEventIndirect(CEventSource* source, const CEventSource::EventData* data) {
    _TREEITEM* root = nullptr;
    if (data && log_ && log_->GetRootText(root) == S_OK) {
        CString line = "*+++++ EventSink(";
        line += GetFullName();
        line += "), EventSource(";
        line += source ? source->GetFullName() : "";
        line += "), Unhandled event: ";
        line += EventToString(data->eventId);
        log_->AddText(root, kUnhandledEventStyle, line, nullptr, 1);
    }
    return E_NOINTERFACE;
}

long CEventSink::AttachCmdLog(CTreeLog* log) {
    log_ = log;
    return S_OK;
}

const char* CEventSink::GetName() const { return CInterfaceBase::GetName(); }

const char* CEventSink::GetFullName() const { return CInterfaceBase::GetFullName(); }

void CEventSink::SetOwner(const ComItem& owner) { owner_ = owner; }

const ComItem& CEventSink::GetOwner() const { return owner_; }

long CEventSink::GetProperty(long, OrvVariant&, const OrvVariant*, CTreeInstance*) {
    return S_FALSE;
}

long CEventSink::SetProperty(long, const OrvVariant&, const OrvVariant*, CTreeInstance*) {
    return S_FALSE;
}

void CEventSink::ResetTreeInstanceRefresh() {}

void CEventSink::RefreshTreeInstance(CTreeInstance*, const CString&) {}

void CEventSink::CleanupTreeInstances() {}
