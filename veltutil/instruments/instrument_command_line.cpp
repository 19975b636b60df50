// The instrument command language of CInstrumentDocBase::ExecuteCmd.
//
// A line is echoed under the command log's root; its replies become children of that line.
// Words are separated by blanks (a tab stays inside a word); missing words read as empty, and
// words after those a command uses are ignored. Command words are matched exactly, in this
// order; RefID arguments may be command reference strings, and replies quote the bare RefID.
//
//   getshow REFID ADDR                 the window's shown state into the int at ADDR
//   show REFID [N]                     show (N > 0: only when it is remembered as shown);
//                                      a copy for a sub-circuit instance is made on demand
//   hide REFID [N]                     hide (N > 0: keeping the remembered state)
//   setnode REFID NTH VALUE            set pin NTH ("$" is the empty value); copies on demand
//   netlist REFID ADDR                 the netlist into the CString at ADDR, or (ADDR 0) as a reply
//   new REFID                          create the instrument
//   delete REFID                       remove it and all its copies
//   SerializeDispDataSize REFID ADDR   the display data's size into the int at ADDR
//   Serialize REFID AR A B             SerializeData through the CArchive at AR; a loading
//                                      archive makes a missing copy first
//   ClearData REFID                    discard the measured data
//   listing                            every instrument's full name
//   help                               the help lines
//
// `show xsc1` finds XSC1 (RefIDs ignore case); `SHOW XSC1` is answered
// "Command not understood: SHOW" (command words do not).
#include "veltutil/framework/internal/command_origin.h"
#include "veltutil/instruments/instrument_doc_base.h"
#include "veltutil/instruments/internal/numbers.h"
#include "veltutil/platform/host/files/archive.h"

namespace veltutil::detail {

namespace {

constexpr const char* kNotFound = "Unable to find instrument: ";
constexpr const char* kCannotSetNode = "Unable to set node: ";
constexpr const char* kCannotCreate = "Unable to create instrument: ";
constexpr const char* kNotUnderstood = "Command not understood: ";
constexpr const char* kCreationFailed = "failed";
constexpr const char* kTypedAddress = "Address not accepted from the command line: ";
constexpr const char* kAddressRequired = "Address required: ";

constexpr const char* kHelpLines[] = {
    "List of available commands:",
    "---------------------------",
    "help                -- display this help screen",
    "listing             -- display the list of all available instruments",
    "new <REFID>         -- create a new instrument with this REFID",
    "delete <REFID>      -- delete the instrument with this REFID",
    "show <REFID>        -- show the instrument REFID",
    "hide <REFID>        -- show the instrument REFID",
    "setnode <REFID> nth value -- set the value of the nth pin of instrument with REFID",
};

}  // namespace

class InstrumentCommandLine {
public:
    InstrumentCommandLine(CInstrumentDocBase& doc, const char* line, CommandOrigin origin)
        : doc_(doc), rest_(line), origin_(origin) {}

    void Run();

private:
    // A RefID argument split into its parts.
    struct Target {
        CString refID;
        CString instanceID;
        int top = 1;
    };

    CString NextWord();
    Target NextTarget();
    void Reply(const char* text) { doc_.OutputText(item_, text, nullptr); }
    void Reply(const char* prefix, const CString& text) { Reply(CString(prefix) + text); }
    CInstrumentBase* Locate(const Target& target) {
        return doc_.FindInstrument(target.refID, target.instanceID, target.top);
    }
    CInstrumentBase* LocateOrClone(const Target& target);
    // Whether the address may be used: never from a typed line, and 0 only where allowed.
    bool Accept(long address, bool required);

    void GetShow();
    void Show() { ShowOrHide(1, true); }
    void Hide() { ShowOrHide(0, false); }
    void ShowOrHide(int show, bool clone);
    void SetNode();
    void Netlist();
    void New();
    void Delete() { doc_.RemoveAllClonedInstruments(NextTarget().refID); }
    void DispDataSize();
    void Serialize();
    void ClearData();
    void Listing();
    void Help();

    struct Command {
        const char* word;
        void (InstrumentCommandLine::*run)();
    };
    static const Command kCommands[];

    CInstrumentDocBase& doc_;
    CString rest_;
    CString word_;
    _TREEITEM* item_ = nullptr;
    CommandOrigin origin_;
};

const InstrumentCommandLine::Command InstrumentCommandLine::kCommands[] = {
    {"getshow", &InstrumentCommandLine::GetShow},
    {"show", &InstrumentCommandLine::Show},
    {"hide", &InstrumentCommandLine::Hide},
    {"setnode", &InstrumentCommandLine::SetNode},
    {"netlist", &InstrumentCommandLine::Netlist},
    {"new", &InstrumentCommandLine::New},
    {"delete", &InstrumentCommandLine::Delete},
    {"SerializeDispDataSize", &InstrumentCommandLine::DispDataSize},
    {"Serialize", &InstrumentCommandLine::Serialize},
    {"ClearData", &InstrumentCommandLine::ClearData},
    {"listing", &InstrumentCommandLine::Listing},
    {"help", &InstrumentCommandLine::Help},
};

void InstrumentCommandLine::Run() {
    doc_.OutputText(rest_, &item_);
    word_ = NextWord();
    for (const Command& command : kCommands) {
        if (word_ == command.word) {
            (this->*command.run)();
            return;
        }
    }
    Reply(kNotUnderstood, word_);
}

// "  show  XSC1 2" -> "show", then "XSC1", then "2", then "".
CString InstrumentCommandLine::NextWord() {
    rest_.TrimLeft();
    int blank = rest_.Find(' ');
    CString word = blank < 0 ? rest_ : rest_.Left(blank);
    rest_ = blank < 0 ? CString() : rest_.Mid(blank);
    return word;
}

InstrumentCommandLine::Target InstrumentCommandLine::NextTarget() {
    Target target;
    target.refID = NextWord();
    CInstrumentDocBase::ReverseCmdRefIDString(target.refID, target.instanceID, target.top);
    return target;
}

CInstrumentBase* InstrumentCommandLine::LocateOrClone(const Target& target) {
    CInstrumentBase* instrument = Locate(target);
    if (!instrument && !target.instanceID.IsEmpty() && target.top == 0) {
        instrument = doc_.CloneInstrument(target.refID, target.instanceID);
    }
    return instrument;
}

bool InstrumentCommandLine::Accept(long address, bool required) {
    if (address != 0 && origin_ == CommandOrigin::Window) {
        Reply(kTypedAddress, word_);
        return false;
    }
    if (address == 0 && required) {
        Reply(kAddressRequired, word_);
        return false;
    }
    return true;
}

void InstrumentCommandLine::GetShow() {
    Target target = NextTarget();
    long address = ReadLong(NextWord());
    if (!Accept(address, true)) return;
    CInstrumentBase* instrument = Locate(target);
    if (!instrument) return Reply(kNotFound, target.refID);
    *reinterpret_cast<int*>(address) = instrument->GetShown();
}

void InstrumentCommandLine::ShowOrHide(int show, bool clone) {
    Target target = NextTarget();
    bool restore = ReadLong(NextWord()) > 0;
    CInstrumentBase* instrument = clone ? LocateOrClone(target) : Locate(target);
    if (!instrument) return Reply(kNotFound, target.refID);
    instrument->Show(show, restore ? 1 : 0);
}

void InstrumentCommandLine::SetNode() {
    Target target = NextTarget();
    int pin = TruncateTo<int>(ReadDouble(NextWord()));
    CString value = NextWord();
    if (value == "$") value.Empty();
    CInstrumentBase* instrument = LocateOrClone(target);
    if (!instrument) return Reply(kCannotSetNode, target.refID);
    instrument->SetNodeValue(pin, value);
}

void InstrumentCommandLine::Netlist() {
    Target target = NextTarget();
    long address = ReadLong(NextWord());
    if (!Accept(address, false)) return;
    CInstrumentBase* instrument = Locate(target);
    if (!instrument) return;
    CString net;
    instrument->GetNetlist(net);
    if (address) {
        *reinterpret_cast<CString*>(address) = net;
    } else {
        Reply(net);
    }
}

void InstrumentCommandLine::New() {
    Target target = NextTarget();
    if (target.refID.IsEmpty() || doc_.FindInstrument(target.refID, CString(), 1)) {
        return Reply(kCannotCreate, target.refID);
    }
    if (!doc_.CreateInstrument(target.refID, target.instanceID)) Reply(kCreationFailed);
}

void InstrumentCommandLine::DispDataSize() {
    Target target = NextTarget();
    long address = ReadLong(NextWord());
    if (!Accept(address, true)) return;
    if (CInstrumentBase* instrument = Locate(target)) instrument->SerializeDispDataSize(reinterpret_cast<int*>(address));
}

void InstrumentCommandLine::Serialize() {
    Target target = NextTarget();
    long address = ReadLong(NextWord());
    auto a = static_cast<int>(ReadLong(NextWord()));
    auto b = static_cast<int>(ReadLong(NextWord()));
    if (!Accept(address, true)) return;
    auto* archive = reinterpret_cast<CArchive*>(address);
    CInstrumentBase* instrument = Locate(target);
    if (!instrument && !target.instanceID.IsEmpty() && target.top == 0 && archive->IsLoading()) {
        instrument = doc_.CloneInstrument(target.refID, target.instanceID);
    }
    if (instrument) instrument->SerializeData(archive, a, b);
}

void InstrumentCommandLine::ClearData() {
    if (CInstrumentBase* instrument = Locate(NextTarget())) instrument->ClearData();
}

void InstrumentCommandLine::Listing() {
    for (CInstrumentBase* instrument : doc_.m_Instruments) Reply(instrument->GetFullName());
}

void InstrumentCommandLine::Help() {
    for (const char* line : kHelpLines) Reply(line);
}

}  // namespace veltutil::detail

void CInstrumentDocBase::ExecuteCmd(const char* cmd) {
    using veltutil::detail::CommandOrigin;
    CommandOrigin origin = veltutil::detail::CurrentCommandOrigin();
    // Only this line is typed: whatever instruments run on its behalf comes from code.
    veltutil::detail::CommandOriginScope code(CommandOrigin::Code);
    veltutil::detail::InstrumentCommandLine(*this, cmd, origin).Run();
}
