#include "veltutil/framework/gui_fe.h"

#include "veltutil/framework/snap_in_container.h"
#include "veltutil/framework/internal/tone.h"
#include "veltutil/framework/windows_message_processing.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/platform/library/settings.h"
#include "veltutil/properties/variant.h"

namespace {

constexpr const char* kErrorLogName = "Simulation Error Log/Audit Trail";
constexpr const char* kDebugLogName = "Schematic Debug Log";
constexpr const char* kDebugLogCaption = "Velt Debug Log";

}  // namespace

CGuiFE::CGuiFE() : CInterfaceBase("CGuiFE", "Main graphical front end for the application", nullptr) {}

CGuiFE::CGuiFE(const CGuiFE& other) : CInterfaceBase(other), m_pContainer(other.m_pContainer) {}

CGuiFE& CGuiFE::operator=(const CGuiFE& other) {
    if (this != &other) {
        CInterfaceBase::operator=(other);
        m_pContainer = other.m_pContainer;
    }
    return *this;
}

CGuiFE::~CGuiFE() {
    releaseModules();
    veltutil::detail::Tone::Global().StopAndWait();
}

const char* CGuiFE::GetName() const { return CInterfaceBase::GetName(); }

const char* CGuiFE::GetFullName() const { return CInterfaceBase::GetFullName(); }

long CGuiFE::YieldTime(long level) {
    if (m_bInYield) return S_FALSE;
    m_bInYield = true;
    long result = S_FALSE;
    try {
        if (CWindowsMessageProcessing* processing = GetMessageProcessing()) {
            processing->YieldTime(static_cast<int>(level));
            result = S_OK;
        }
    } catch (...) {
        // What a yield lets out must not unwind through the simulator, nor leave the guard set.
        result = S_FALSE;
    }
    m_bInYield = false;
    return result;
}

void CGuiFE::SimTimeBegin() {
    if (CWindowsMessageProcessing* processing = GetMessageProcessing()) processing->SimTimeBegin();
}

unsigned long CGuiFE::SimTimeIdledAmount() {
    CWindowsMessageProcessing* processing = GetMessageProcessing();
    return processing != nullptr ? processing->SimTimeIdledAmount() : 0;
}

void CGuiFE::SimTimeEnd() {
    if (CWindowsMessageProcessing* processing = GetMessageProcessing()) processing->SimTimeEnd();
}

void CGuiFE::SetStatusText(int, const char* text) { GetSettings()->GetStatusBar().SetTextInfo(text); }

long CGuiFE::Resimulate(OrvVariant& result, int, bool) {
    result.SetValue();
    return S_OK;
}

int CGuiFE::IsAnalysisEnabled() const { return 1; }

CWindowsMessageProcessing* CGuiFE::GetMessageProcessing() { return nullptr; }

CEventSink* CGuiFE::NewInstrument(const char*, const char*) { return nullptr; }

long CGuiFE::InformEvent(long, OrvVariant&, const OrvVariant*) { return S_OK; }

void CGuiFE::Initialize(CSnapInContainer* container) {
    // Only the first container sets up the logs: clearing the pointers again would lose logs
    // that are registered and owned.
    if (m_pContainer != nullptr || container == nullptr) return;
    m_pContainer = container;
    SetupCmdLogs();
}

void CGuiFE::Uninitialize() {
    destroyLog(m_pDebugLog);
    destroyLog(m_pErrorLog);
    releaseModules();
}

void CGuiFE::SetupCmdLogs() {
    m_pErrorLog = new CCmdLog(kErrorLogName, nullptr);
    m_pDebugLog = new CCmdLog(kDebugLogName, nullptr);
    auto setUp = [this](CCmdLog* log, const char* caption) {
        if (log->Initialize(nullptr) == S_OK) {
            log->SetCmdLogName(caption);
            Register(ComItem(log, true));
        }
        _TREEITEM* root = nullptr;
        log->GetRootText(root);
    };
    setUp(m_pErrorLog, kErrorLogName);
    setUp(m_pDebugLog, kDebugLogCaption);
}

void CGuiFE::destroyLog(CCmdLog*& log) {
    if (log == nullptr) return;
    Unregister(ComItem(log, false));
    delete log;
    log = nullptr;
}

void CGuiFE::releaseModules() {
    for (veltutil::detail::PlottingModuleRecord& record : m_Modules) record.Release();
}
