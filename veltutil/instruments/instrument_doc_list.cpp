// The document's list of instruments: adding, finding and removing under the removal lock,
// and the command reference strings that name them.
#include <cstdlib>

#include "veltutil/framework/event_source.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/instruments/instrument_doc_base.h"

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
    if (!instrument) return;
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
    Release(instrument);
}

void CInstrumentDocBase::Release(CInstrumentBase* instrument) {
    if (instrument->GetRefCount() > 0) instrument->DecRefCount();
    if (instrument->GetRefCount() == 0) delete instrument;
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
