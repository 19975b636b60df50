#include "veltutil/instruments/instrument_base.h"

#include "veltutil/instruments/instrument_settings_base.h"
#include "veltutil/platform/host/files/archive.h"

const CString CInstrumentBase::strStaticProbeInsertNodeSeparator("_0V_");

CInstrumentBase::CInstrumentBase(CInstrumentDocBase& doc, const char* name, const CString& text)
    : CEventSink(name, text.GetString()), m_pDoc(&doc) {}

CInstrumentBase::CInstrumentBase(const CInstrumentBase& other) = default;

CInstrumentBase::~CInstrumentBase() = default;

void CInstrumentBase::Show(int bShow, int bRestore) {
    if (!m_pSettingsDlg) return;
    if (bRestore) {
        m_pSettingsDlg->Show(bShow ? m_bShown : 0);
        return;
    }
    m_bShown = bShow;
    m_pSettingsDlg->Show(bShow);
}

int CInstrumentBase::GetShown() const { return m_pSettingsDlg ? m_pSettingsDlg->GetShown() : 0; }

void CInstrumentBase::refresh_instrument_dialog(int n) {
    if (!m_pSettingsDlg) return;
    m_pSettingsDlg->ResetInstrumentWindowPos();
    m_pSettingsDlg->refresh_instrument_dialog(n);
}

void CInstrumentBase::SerializeDispDataSize(int* pSize) {
    if (pSize) *pSize = 0;
}

int CInstrumentBase::GetNetlist(CString& net) {
    net.Empty();
    return 1;
}

void CInstrumentBase::Serialize(CArchive& ar) {
    m_nDataFlag = 0;
    if (ar.IsStoring()) {
        ar << m_nDataVersion << m_bShown << m_dPosX << m_dPosY;
    } else {
        ar >> m_nLoadedDataVersion >> m_bShown >> m_dPosX >> m_dPosY;
    }
}

void CInstrumentBase::SerializeDataSection(CArchive& ar, const CString& marker) {
    if (ar.IsStoring()) {
        ar << marker;
        return;
    }
    CString read;
    ar >> read;
    if (read.CompareNoCase(marker) == 0) return;
    CString message;
    message.Format("Error: wrong beginning of instrumnet data: [%s] ( ar >> [%s])", marker.GetString(), read.GetString());
    throw message;
}
