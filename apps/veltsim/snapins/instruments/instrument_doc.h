#pragma once

#include <string>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

class VeltInstrument;

// Where the instruments' messages go: the command line, under the line being answered.
class InstrumentReplies {
public:
    virtual void Say(const std::string& text) = 0;
    // Also counts a failure.
    virtual void Fail(const std::string& text) = 0;

protected:
    ~InstrumentReplies() = default;
};

// The instrument manager's document: XMM... RefIDs are meters, XSC... scopes (any case). Their
// windows open over the application's main window (the desktop's), or else over its
// command-line window.
class InstrumentDoc final : public CInstrumentDocBase {
public:
    InstrumentDoc(CInstrumentInterface* manager, InstrumentReplies& replies);
    // Removes what is left, also when the document never was initialised.
    ~InstrumentDoc() override;

    // Null, saying why, for a RefID that names no kind of instrument.
    CInstrumentBase* CreateInstrument(const CString& refID, const CString& instanceID) override;

    InstrumentReplies& Replies() { return replies_; }
    // The instrument agency's plotting source; null before Initialize or without one.
    CGrapherSource* InstrumentPlots() const { return m_InstrumentGrapher.GetGrapher(); }
    // The instrument agency's event source; null before Initialize or without an agency.
    CEventSource* AgencyEvents() const { return m_pEventSource; }
    // The window the instruments' windows belong to; null without one.
    CWnd* MainWindow();
    // The instruments as placed in the circuit (no copies for sub-circuit instances), in order.
    std::vector<VeltInstrument*> TopLevelInstruments();
    // Removes every instrument.
    void RemoveAll();

private:
    InstrumentReplies& replies_;
};

}  // namespace veltsim
