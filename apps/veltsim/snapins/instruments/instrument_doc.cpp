#include "instrument_doc.h"

#include "command_line_log.h"
#include "meter.h"
#include "scope.h"

namespace veltsim {

namespace {

bool isKind(const CString& refID, const char* prefix) { return refID.Left(3).CompareNoCase(prefix) == 0; }

}  // namespace

InstrumentDoc::InstrumentDoc(CInstrumentInterface* manager, InstrumentReplies& replies)
    : CInstrumentDocBase("Instruments", "veltsim.instruments", "1", manager), replies_(replies) {}

InstrumentDoc::~InstrumentDoc() {
    Uninitialize();
    RemoveAll();
}

CInstrumentBase* InstrumentDoc::CreateInstrument(const CString& refID, const CString& instanceID) {
    VeltInstrument* made = nullptr;
    if (isKind(refID, "XMM")) made = new Meter(*this, refID);
    if (isKind(refID, "XSC")) made = new Scope(*this, refID);
    if (!made) {
        replies_.Fail(std::string(refID.str()) + ": no such kind of instrument (XMM... are meters, XSC... oscilloscopes)");
        return nullptr;
    }
    NewInstrument(made, instanceID);
    return made;
}

CWnd* InstrumentDoc::MainWindow() {
    if (CWnd* main = AfxGetMainWnd()) return main;
    CCmdLog* log = GetGuiFE() ? dynamic_cast<CCmdLog*>(CommandLineLog(*GetGuiFE())) : nullptr;
    return log ? log->GetDialog() : nullptr;
}

std::vector<VeltInstrument*> InstrumentDoc::TopLevelInstruments() {
    std::vector<VeltInstrument*> instruments;
    for (CInstrumentBase* instrument : m_Instruments) {
        if (instrument && instrument->IsTopLevelTreeInstance()) instruments.push_back(static_cast<VeltInstrument*>(instrument));
    }
    return instruments;
}

void InstrumentDoc::RemoveAll() {
    for (CInstrumentBase* instrument : m_Instruments) {
        if (instrument) RemoveInstrument(instrument);
    }
}

}  // namespace veltsim
