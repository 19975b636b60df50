#include "veltutil/instruments/instrument_doc_base.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "veltutil/framework/event_source.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/instruments/internal/doc_lifetimes.h"
#include "veltutil/logs/tree_log.h"

namespace {

constexpr int kSimulator = -1;
constexpr int kInstrumentAgency = -2;
constexpr CTreeLog::OutputStyle kReplyStyle = 1;

// Counts are bookkeeping that callers may have got wrong; they never go below 0 here.
void releaseOne(CInterfaceBase& object) {
    if (object.GetRefCount() > 0) object.DecRefCount();
}

// The accessors hand out references, as the interface has them; there is nothing to refer to
// before Initialize found the object, so the program stops with a message instead.
template <class T>
T& present(T* object, const char* what) {
    if (!object) {
        std::fprintf(stderr, "CInstrumentDocBase: %s is not there (not initialized?)\n", what);
        std::abort();
    }
    return *object;
}

}  // namespace

CInstrumentDocBase::CInstrumentDocBase(const CString& name, const CString& name2, const CString& name3,
                                       CInstrumentInterface* instrMgr)
    : m_pInstrMgr(instrMgr),
      m_strName(name),
      m_strName2(name2),
      m_strName3(name3),
      lifetimes_(std::make_unique<veltutil::detail::DocLifetimes>()) {}

CInstrumentDocBase::CInstrumentDocBase(const CInstrumentDocBase& other)
    : m_pInstrMgr(other.m_pInstrMgr), lifetimes_(std::make_unique<veltutil::detail::DocLifetimes>()) {
    ShareFrom(other);
}

CInstrumentDocBase& CInstrumentDocBase::operator=(const CInstrumentDocBase& other) {
    if (this == &other) return *this;
    ReleaseCmdLog();
    if (m_pGuiFE) releaseOne(*m_pGuiFE);
    ShareFrom(other);
    return *this;
}

CInstrumentDocBase::~CInstrumentDocBase() {
    ReleaseCmdLog();
    FreeCreatedLog();
    if (m_pGuiFE) releaseOne(*m_pGuiFE);
    // Nodes only: the elements are not owned (removing an instrument is Uninitialize's).
    m_Instruments.erase_all();
}

void CInstrumentDocBase::ShareFrom(const CInstrumentDocBase& other) {
    m_pEventSource = other.m_pEventSource;
    m_CmdLog = other.m_CmdLog;
    m_InstrumentGrapher = other.m_InstrumentGrapher;
    m_MainGrapher = other.m_MainGrapher;
    m_pGuiFE = other.m_pGuiFE;
    if (m_pGuiFE) m_pGuiFE->IncRefCount();
    m_pInstrMgr = other.m_pInstrMgr;
    m_pInstrAgency = other.m_pInstrAgency;
    m_strName = other.m_strName;
    m_strName2 = other.m_strName2;
    m_strName3 = other.m_strName3;
}

long CInstrumentDocBase::Initialize(CGuiFE* gui) {
    if (!gui || m_pGuiFE) return S_FALSE;
    FreeCreatedLog();  // the log of an earlier initialization
    m_pGuiFE = gui;
    gui->IncRefCount();
    m_CmdLog = gui->NewComItem(m_strName + " Log", ComItem::ItemCmdLog, 0);
    CTreeLog* log = m_CmdLog.GetCmdLog();
    if (!log) {
        m_CmdLog.SetValue();
        return S_FALSE;
    }
    lifetimes_->createdLog = log;
    gui->Register(m_CmdLog);
    if (long failed = log->Initialize(nullptr)) return failed;
    long named = log->SetCmdLogName(m_strName + " Command Line");

    m_pInstrAgency = gui->GetNthSnapIn(kInstrumentAgency);
    if (m_pInstrAgency) {
        m_pEventSource = m_pInstrAgency->GetNthItem(ComItem::ItemEventSource, 0).GetEventSource();
        m_InstrumentGrapher = m_pInstrAgency->GetNthItem(ComItem::ItemGrapher, 0);
    }
    // Without a simulator, or one without a grapher, the main grapher stays empty.
    CInstrumentInterface* simulator = gui->GetNthSnapIn(kSimulator);
    CGrapherSource* main = simulator ? simulator->GetNthItem(ComItem::ItemGrapher, 0).GetGrapher() : nullptr;
    if (main) m_MainGrapher.SetValue(main, true);
    return m_InstrumentGrapher ? named : S_FALSE;
}

long CInstrumentDocBase::Uninitialize() {
    if (!m_pGuiFE) return S_OK;
    CGuiFE* gui = m_pGuiFE;
    if (CreatedCmdLog()) gui->Unregister(m_CmdLog);
    releaseOne(*gui);
    m_pGuiFE = nullptr;
    // Every instrument goes, with or without the agency's event source: none is left behind
    // unowned. Removal while this walk holds the list only marks the nodes.
    for (CInstrumentBase* instrument : m_Instruments) RemoveInstrument(instrument);
    m_pEventSource = nullptr;
    ReleaseCmdLog();
    return S_OK;
}

CTreeLog* CInstrumentDocBase::CreatedCmdLog() const {
    CTreeLog* log = m_CmdLog.GetCmdLog();
    return log && log == lifetimes_->createdLog ? log : nullptr;
}

void CInstrumentDocBase::ReleaseCmdLog() {
    CTreeLog* log = CreatedCmdLog();
    if (log && m_pGuiFE) m_pGuiFE->Unregister(m_CmdLog);
    m_CmdLog.SetValue();
    if (log) log->Uninitialize();
}

void CInstrumentDocBase::FreeCreatedLog() {
    CTreeLog* log = std::exchange(lifetimes_->createdLog, nullptr);
    // Its creation reference is the one left when no item names it any more.
    if (log && log->GetRefCount() <= 1) delete log;
}

CGrapherSource& CInstrumentDocBase::GetInstrumentGrapher() const {
    return present(m_InstrumentGrapher.GetGrapher(), "the instrument grapher");
}

CGrapherSource& CInstrumentDocBase::GetMainGrapher() const { return present(m_MainGrapher.GetGrapher(), "the main grapher"); }

CEventSource& CInstrumentDocBase::GetEventSource() const { return present(m_pEventSource, "the agency's event source"); }

CInstrumentBase* CInstrumentDocBase::GetEventSink(int n) const {
    auto* link = static_cast<SList<CInstrumentBase, 2>::SListLink*>(m_Instruments.nth(n));
    return link ? link->value : nullptr;
}

void CInstrumentDocBase::OutputText(const char* text, _TREEITEM** pItem) {
    CTreeLog* log = m_CmdLog.GetCmdLog();
    _TREEITEM* root = nullptr;
    if (log && log->GetRootText(root) == S_OK) log->AddText(root, kReplyStyle, text, pItem, 1);
}

void CInstrumentDocBase::OutputText(_TREEITEM* parent, const char* text, _TREEITEM** pItem) {
    if (CTreeLog* log = m_CmdLog.GetCmdLog()) log->AddText(parent, kReplyStyle, text, pItem, 1);
}
