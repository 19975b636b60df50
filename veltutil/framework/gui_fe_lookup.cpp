#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/logs/cmd_log.h"

long CGuiFE::Register(const ComItem& item) const {
    return m_pContainer != nullptr ? m_pContainer->Register(item) : S_FALSE;
}

long CGuiFE::Unregister(const ComItem& item) const {
    return m_pContainer != nullptr ? m_pContainer->Unregister(item) : S_FALSE;
}

ComItem CGuiFE::GetNthItem(ComItem::ItemType type, int n) {
    if (m_pContainer == nullptr) return ComItem();
    switch (type) {
    case ComItem::ItemEventSource:
        if (n == 0) return ComItem(m_pContainer->GetEventSource(), false);
        break;
    case ComItem::ItemEventSink:
        if (n == 0) return ComItem(static_cast<CEventSink*>(m_pContainer->GetEventSink()), false);
        break;
    case ComItem::ItemCmdLog:
        if (n == -2) return ComItem(static_cast<CTreeLog*>(m_pDebugLog), false);
        if (n == -1) return ComItem(static_cast<CTreeLog*>(m_pErrorLog), false);
        break;
    default:
        break;
    }
    return ComItem();
}

ComItem CGuiFE::GetItem(ComItem::ItemType type, ComItem::NameSource source, const char* name) {
    for (int n = 0, count = GetNumItems(type); n < count; ++n) {
        ComItem item = GetNthItem(type, n);
        if (item.HasName(source, name)) return item;
    }
    return ComItem();
}

int CGuiFE::GetNumItems(ComItem::ItemType type) const {
    if (type == ComItem::ItemSnapIn) return NumberOfSnapIns();
    int count = 0;
    for (int n = 0, snapIns = NumberOfSnapIns(); n < snapIns; ++n) {
        CInstrumentInterface* snapIn = GetNthSnapIn(n);
        if (snapIn != nullptr && static_cast<int>(snapIn->GetType()) == static_cast<int>(type)) ++count;
    }
    return count;
}

CInstrumentInterface* CGuiFE::GetNthSnapIn(int n) const {
    if (m_pContainer == nullptr) return nullptr;
    if (n == -1) return m_pContainer->GetSimulator();
    if (n == -2) return m_pContainer->GetInstrumentAgency();
    return n >= 0 ? m_pContainer->GetNthSnapIn(n) : nullptr;
}

int CGuiFE::NumberOfSnapIns() const { return m_pContainer != nullptr ? m_pContainer->NumberOfSnapIns() : 0; }

CInstrumentInterface* CGuiFE::GetSnapIn(CInstrumentInterface::Type type, ComItem::NameSource source,
                                        const char* name) const {
    for (int n = 0, count = NumberOfSnapIns(); n < count; ++n) {
        CInstrumentInterface* snapIn = GetNthSnapIn(n);
        if (snapIn != nullptr && snapIn->GetType() == type && ComItem(snapIn, false).HasName(source, name)) {
            return snapIn;
        }
    }
    return nullptr;
}

CInstrumentInterface* CGuiFE::FindComUtilSnapIn() {
    for (int n = 0, count = NumberOfSnapIns(); n < count; ++n) {
        CInstrumentInterface* snapIn = GetNthSnapIn(n);
        if (snapIn != nullptr && CString(snapIn->GetName()) == "ComUtilities") return snapIn;
    }
    return nullptr;
}

CEventSink* CGuiFE::FindInstrument(const char* managerName, const char* instrumentName) {
    CInstrumentInterface* manager =
        GetSnapIn(CInstrumentInterface::TypeInstrumentManager, ComItem::NameByProperty, managerName);
    if (manager == nullptr) return nullptr;
    return manager->GetItem(ComItem::ItemEventSink, ComItem::NameByItem, instrumentName).GetEventSink();
}

CEventSink* CGuiFE::FindInstrument(const char* instrumentName) {
    for (int n = 0, count = GetNumItems(ComItem::ItemSnapIn); n < count; ++n) {
        CInstrumentInterface* snapIn = GetNthSnapIn(n);
        if (snapIn == nullptr || snapIn->GetType() != CInstrumentInterface::TypeInstrumentManager) continue;
        if (CEventSink* sink = snapIn->GetItem(ComItem::ItemEventSink, ComItem::NameByItem, instrumentName).GetEventSink()) {
            return sink;
        }
    }
    return nullptr;
}
