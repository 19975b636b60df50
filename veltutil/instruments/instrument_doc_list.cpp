// The document's list of instruments: adding, finding and removing under the removal lock,
// the lifetimes of removed instruments, and the command reference strings that name them.
#include <algorithm>
#include <cstdlib>

#include "veltutil/framework/event_source.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/instruments/instrument_doc_base.h"
#include "veltutil/instruments/internal/doc_lifetimes.h"

namespace veltutil::detail {

bool DocLifetimes::IsRetiring(const CInstrumentBase* instrument) const {
    return std::find(retiring.begin(), retiring.end(), instrument) != retiring.end();
}

DocOperation::~DocOperation() {
    if (--lifetimes_.operations > 0) return;
    // Taken first: an instrument's destructor may start operations of its own.
    std::vector<CInstrumentBase*> retired;
    retired.swap(lifetimes_.retiring);
    for (CInstrumentBase* instrument : retired) {
        if (instrument->GetRefCount() == 0) delete instrument;
    }
}

}  // namespace veltutil::detail

const CString CInstrumentDocBase::m_strCmdRefIDSeparatorString("_[]_");

void CInstrumentDocBase::ConvertCmdRefIDString(CString& s, const CString& instanceID, int bTop) {
    s += m_strCmdRefIDSeparatorString;
    s += bTop ? '1' : '0';
    s += instanceID;
}

void CInstrumentDocBase::ReverseCmdRefIDString(CString& s, CString& instanceID, int& bTop) {
    instanceID.Empty();
    bTop = 1;
    int at = s.Find(m_strCmdRefIDSeparatorString);
    if (at < 0) return;
    int digit = at + m_strCmdRefIDSeparatorString.GetLength();
    if (digit < s.GetLength()) {
        bTop = s[digit] == '0' ? 0 : 1;
        CString rest = s.Mid(digit + 1);
        if (std::strtol(rest, nullptr, 10) != 0) instanceID = rest;
    }
    s = s.Left(at);
}

void CInstrumentDocBase::NewInstrument(CInstrumentBase* instrument, const CString& instanceID) {
    if (!instrument) return;
    instrument->SetTreeInstanceID(instanceID);
    instrument->SetOwner(ComItem(m_pInstrMgr, false));
    m_Instruments.append(instrument);
    if (m_pEventSource) m_pEventSource->RegisterEventHook(EVENT_SWITCH_SETUP, instrument, nullptr);
    instrument->OnInsert(0);
}

void CInstrumentDocBase::RemoveInstrument(CInstrumentBase* instrument) {
    // Asked again from inside its own removal (a notice that deletes its RefID), or after it in
    // the same outer operation: the first removal does it all, once.
    if (!instrument || lifetimes_->IsRetiring(instrument)) return;
    veltutil::detail::DocOperation operation(*lifetimes_);
    lifetimes_->retiring.push_back(instrument);
    instrument->OnRemoveBegin();
    instrument->OnRemoveEnd();
    if (m_pEventSource) m_pEventSource->UnregisterEventHook(EVENT_SWITCH_SETUP, instrument, nullptr);
    for (auto it = m_Instruments.begin(); it != m_Instruments.end(); ++it) {
        if (*it != instrument) continue;
        // Cleared first, so that no walk meets the instrument again; the walk's lock defers
        // freeing the node to the end of the last walk.
        it.node()->detach_value();
        m_Instruments.remove(it.node());
        break;
    }
    // Deleted by the outermost operation when this was its last reference.
    if (instrument->GetRefCount() > 0) instrument->DecRefCount();
}

CInstrumentBase* CInstrumentDocBase::FindInstrument(const CString& refID, const CString& instanceID, int bTop) {
    for (CInstrumentBase* instrument : m_Instruments) {
        if (refID.CompareNoCase(instrument->GetName()) != 0) continue;
        if (bTop) {
            if (!instanceID.IsEmpty()) instrument->SetTreeInstanceID(instanceID);
            return instrument;
        }
        if (instrument->GetTreeInstanceID().CompareNoCase(instanceID) == 0) return instrument;
    }
    return nullptr;
}

void CInstrumentDocBase::RemoveAllClonedInstruments(const CString& refID) {
    for (CInstrumentBase* instrument : m_Instruments) {
        if (refID.CompareNoCase(instrument->GetName()) == 0) RemoveInstrument(instrument);
    }
}
