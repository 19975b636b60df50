#include "veltutil/framework/snap_in_container.h"

#include "veltutil/framework/event_source.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/framework/windows_message_processing.h"
#include "veltutil/resources/internal/resource_module.h"
#include "veltutil/resources/internal/string_ids.h"

namespace veltutil::detail {

// The event source has no virtual destructor; a final class of our own is safe to delete.
class OwnedEventSource final : public CEventSource {
public:
    using CEventSource::CEventSource;
};

}  // namespace veltutil::detail

namespace {

constexpr const char* kFrontEndName = "GuiFE";
// The simulator events the front end's own sink answers, in the order they are hooked.
constexpr long kSimulatorEvents[] = {EVENT_PAUSE_QUERY, EVENT_ANALYSIS_BEGIN, EVENT_ANALYSIS_END};

// The first non-null snap-in of the given type, by index.
CInstrumentInterface* firstOfType(const std::vector<CInstrumentInterface*>& snapIns, CInstrumentInterface::Type type) {
    for (CInstrumentInterface* snapIn : snapIns) {
        if (snapIn != nullptr && snapIn->GetType() == type) return snapIn;
    }
    return nullptr;
}

}  // namespace

CSnapInContainer::CSnapInContainer() : m_pRegistry(new RegisteredItemMap) {}

CSnapInContainer::CSnapInContainer(const CSnapInContainer& other) : m_pRegistry(new RegisteredItemMap), m_bCopy(true) {
    copyFrom(other);
}

CSnapInContainer& CSnapInContainer::operator=(const CSnapInContainer& other) {
    if (this == &other) return *this;
    Clear_Snapins_and_GuIF();
    UnregisterAll();
    destroyOwned();
    m_pRegistry = new RegisteredItemMap;
    m_bCopy = true;
    copyFrom(other);
    return *this;
}

CSnapInContainer::~CSnapInContainer() {
    m_hCurrentCursor = nullptr;
    m_hDataCursor = nullptr;
    Clear_Snapins_and_GuIF();
    UnregisterAll();
    destroyOwned();
}

void CSnapInContainer::copyFrom(const CSnapInContainer& other) {
    m_SnapIns = other.m_SnapIns;
    m_hCurrentCursor = other.m_hCurrentCursor;
    m_hDataCursor = other.m_hDataCursor;
    if (other.m_pFrontEnd != nullptr) Create(other.m_pFrontEnd);
}

void CSnapInContainer::destroyOwned() {
    delete m_pRegistry;
    delete m_pSink;
    m_pRegistry = nullptr;
    m_pSink = nullptr;
    delete m_pSource;
    m_pSource = nullptr;
}

int CSnapInContainer::Create(CGuiFE* frontEnd) {
    // A second Create replaces the first: its reference and its sink's hooks go with it.
    unhookSimulator();
    if (m_pFrontEnd != nullptr) m_pFrontEnd->DecRefCount();
    m_pFrontEnd = frontEnd;
    m_pFrontEnd->IncRefCount();
    delete m_pSink;
    m_pSink = new CGuiFE_EventSink(kFrontEndName, frontEnd);
    delete m_pSource;
    m_pSource = new veltutil::detail::OwnedEventSource(kFrontEndName, frontEnd);
    return 0;
}

CEventSource* CSnapInContainer::GetEventSource() const { return m_pSource; }

bool CSnapInContainer::AddSnapin(CInstrumentInterface* snapIn) {
    m_SnapIns.push_back(snapIn);
    return true;
}

CInstrumentInterface* CSnapInContainer::GetNthSnapIn(int n) const {
    return n >= 0 && n < NumberOfSnapIns() ? m_SnapIns[static_cast<std::size_t>(n)] : nullptr;
}

int CSnapInContainer::NumberOfSnapIns() const { return static_cast<int>(m_SnapIns.size()); }

CInstrumentInterface* CSnapInContainer::GetSimulator() const {
    if (m_pSimulator == nullptr) m_pSimulator = firstOfType(m_SnapIns, CInstrumentInterface::TypeSimulator);
    if (m_pSimulatorSource == nullptr && m_pSimulator != nullptr) {
        m_pSimulatorSource = m_pSimulator->GetNthItem(ComItem::ItemEventSource, 0).GetEventSource();
        if (m_pSimulatorSource != nullptr) {
            for (long event : kSimulatorEvents) m_pSimulatorSource->RegisterEventHook(event, m_pSink, nullptr);
        }
    }
    return m_pSimulator;
}

CInstrumentInterface* CSnapInContainer::GetInstrumentAgency() const {
    if (m_pInstrumentAgency == nullptr) {
        m_pInstrumentAgency = firstOfType(m_SnapIns, CInstrumentInterface::TypeInstrumentAgency);
    }
    return m_pInstrumentAgency;
}

long CSnapInContainer::Register(const ComItem& item) const {
    if (m_pRegistry == nullptr) return S_FALSE;
    m_pRegistry->append(new ComItem(item, true));
    return S_OK;
}

long CSnapInContainer::Unregister(const ComItem& item) const {
    if (m_pRegistry == nullptr) return S_FALSE;
    for (ComItem* registered : *m_pRegistry) {
        if (registered->GetUnknown() == item.GetUnknown()) {
            m_pRegistry->remove_value(registered);
            return S_OK;
        }
    }
    return S_FALSE;
}

ComItem CSnapInContainer::GetNthItem(int n) {
    if (m_pRegistry == nullptr || n < 0) return ComItem();
    for (ComItem* registered : *m_pRegistry) {
        if (n-- == 0) return ComItem(*registered);
    }
    return ComItem();
}

int CSnapInContainer::GetNumItems() const {
    return m_pRegistry != nullptr ? static_cast<int>(m_pRegistry->length()) : 0;
}

CGuiFE* CSnapInContainer::GetSnapInContext(int) { return m_pFrontEnd; }

void CSnapInContainer::SetCursorType(CursorType type) {
    if (type == NoCursor) m_hCurrentCursor = nullptr;
    if (type == DataCursor) m_hCurrentCursor = m_hDataCursor;
}

CString CSnapInContainer::CanCloseApp() {
    CWindowsMessageProcessing* processing = m_pFrontEnd != nullptr ? m_pFrontEnd->GetMessageProcessing() : nullptr;
    if (processing == nullptr || processing->GetYieldLevel() < 1) return CString();
    return veltutil::detail::LoadLibraryString(veltutil::detail::IDS_CANNOT_CLOSE_WHILE_SIMULATING);
}

void CSnapInContainer::unhookSimulator() {
    if (m_pSimulatorSource == nullptr) return;
    for (long event : kSimulatorEvents) m_pSimulatorSource->UnregisterEventHook(event, m_pSink, nullptr);
    m_pSimulatorSource = nullptr;
}

void CSnapInContainer::Clear_Snapins_and_GuIF() {
    unhookSimulator();
    // A copy shares the front end and the snap-ins with the original, which alone tears them
    // down: done twice, the logs would be destroyed under the original and the snap-ins
    // uninitialised while it still lists them.
    if (!m_bCopy) {
        if (m_pFrontEnd != nullptr) m_pFrontEnd->Uninitialize();
        for (CInstrumentInterface* snapIn : m_SnapIns) {
            if (snapIn != nullptr) snapIn->Uninitialize();
        }
    }
    m_SnapIns.clear();
    // The snap-in objects are the application's to destroy from here on: never hand them out.
    m_pSimulator = nullptr;
    m_pInstrumentAgency = nullptr;
    if (m_pFrontEnd != nullptr) {
        m_pFrontEnd->DecRefCount();
        m_pFrontEnd = nullptr;
    }
}

void CSnapInContainer::UnregisterAll() const {
    if (m_pRegistry != nullptr) m_pRegistry->erase_all();
}
