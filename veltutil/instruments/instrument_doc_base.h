#pragma once

#include <memory>

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/instruments/instrument_base.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/properties/com_item.h"

struct _TREEITEM;
class CEventSource;
class CGrapherSource;
class CGuiFE;
class CInstrumentInterface;
class CTreeLog;

namespace veltutil::detail {
class InstrumentCommandLine;
struct DocLifetimes;
}

// Base of an instrument snap-in's document: the live instruments, their connection to the
// front end, to the instrument agency's events and to the two graph sources, the snap-in's
// command log, and the text commands of ExecuteCmd. A concrete document creates instruments by
// RefID (CreateInstrument) and may extend removal.
//
// Calling order: construct; Initialize with the front end; create instruments and run
// commands; Uninitialize; destroy. Uninitialize removes every instrument and gives back every
// reference Initialize took; the destructor only drops the list's nodes.
//
// Instruments of sub-circuit instances are copies (clones) of the top-level instrument with the
// same RefID, made on demand through a memory archive. They are named by command reference
// strings: RefID, "_[]_", the digit 1 (top level) or 0, the instance ID. XSC1 top level with
// instance ID 1234 is "XSC1_[]_11234"; "XSC1_[]_0517" names the copy for instance 517.
//
// The list is walked and changed under its removal lock only; removal works while a walk holds
// it (the node is then marked and freed when the last walk ends), so an instrument may run
// commands that walk or change the list from inside its removal notifications and OnInsert,
// its own removal included. An instrument is removed once, and stays in memory until the
// outermost removal, clone or command line under way has ended.
//
// Command log: Initialize asks the front end for a new command log, which this document owns.
// Uninitialize closes it and gives back the document's reference without freeing it; the
// document frees it when it goes (or is initialized again) unless counted items still name it,
// in which case it is left to them. A copy of the document refers to the original's log and
// leaves it alone.
class VELTUTIL_API CInstrumentDocBase {
public:
    // "_[]_".
    static const CString m_strCmdRefIDSeparatorString;
    // Appends "_[]_", '1' (bTop non-zero) or '0', and instanceID to s, which holds the RefID.
    static void ConvertCmdRefIDString(CString& s, const CString& instanceID, int bTop);
    // Splits a command reference string in place: s keeps the RefID. "XSC1_[]_0517" gives
    // XSC1, instance "517", bTop 0; "XSC1_[]_0abc" and "XSC1_[]_00" an empty instance (one
    // whose decimal value is 0); a plain "XSC1" bTop 1 and an empty instance.
    static void ReverseCmdRefIDString(CString& s, CString& instanceID, int& bTop);

    CInstrumentDocBase(const CString& name, const CString& name2, const CString& name3, CInstrumentInterface* instrMgr);
    // Copies everything but the list, which starts empty; items are counted copies. The copy
    // holds a reference on the front end of its own and does not own the command log.
    CInstrumentDocBase(const CInstrumentDocBase& other);
    // Assigns everything but the list, which keeps its instruments; as the copy, the target
    // then refers to the source's command log without owning it.
    CInstrumentDocBase& operator=(const CInstrumentDocBase& other);
    // Drops the list's nodes (the instruments are Uninitialize's to remove) and destroys a
    // command log still owned.
    virtual ~CInstrumentDocBase();

    // Takes the front end (one reference), creates, registers and names the command log
    // "<name> Log" / "<name> Command Line", and finds the instrument agency's event source and
    // grapher and the simulator's grapher. 1 when the log cannot be made, the agency offers no
    // grapher, the front end is null or the document is initialized already; the log's code
    // when it cannot be initialized; otherwise the result of naming the log.
    virtual long Initialize(CGuiFE* gui);
    // Removes every instrument, unregisters and destroys the command log and gives back the
    // front end. 0, and nothing done, when the document is not initialized.
    virtual long Uninitialize();
    // Runs one command line (see instrument_command_line.cpp for the words and replies).
    //
    // Address arguments (getshow, netlist, SerializeDispDataSize, Serialize) are the decimal
    // address of a live object of the caller: an int, a CString, an int, a CArchive. Code in
    // the process passes them in lines given here or to the snap-in's ExecuteCmd or
    // ExecuteCmd_Direct. A line a person typed (submitted through a command log window,
    // CTreeLog::ExecuteCmd) answers a non-zero address with the reply
    // "Address not accepted from the command line: <word>" and does nothing else; getshow and
    // SerializeDispDataSize with the address 0, and Serialize with the archive 0, answer
    // "Address required: <word>" for every caller.
    //
    // Exceptions of instruments (a wrong data marker while loading, CString; an archive that
    // ends early, CArchiveException) pass to the caller.
    virtual void ExecuteCmd(const char* cmd);
    // Creates the instrument the RefID names, adds it with NewInstrument and returns it; null
    // when it cannot.
    virtual CInstrumentBase* CreateInstrument(const CString& refID, const CString& instanceID) = 0;

    // A counted copy of the command log item.
    ComItem GetCmdLog() const { return m_CmdLog; }
    // The graph sources found by Initialize; stop the program when there is none.
    CGrapherSource& GetInstrumentGrapher() const;
    CGrapherSource& GetMainGrapher() const;
    CGuiFE* GetGuiFE() const { return m_pGuiFE; }
    CInstrumentInterface* GetInstrMgr() const { return m_pInstrMgr; }
    CInstrumentInterface* GetInstrAgency() const { return m_pInstrAgency; }
    // The agency's event source; stops the program when there is none.
    CEventSource& GetEventSource() const;
    // Nodes of the list, marked ones included.
    int GetNumEventSink() const { return static_cast<int>(m_Instruments.length()); }
    // The element of node n (VoidList::nth), or null.
    CInstrumentBase* GetEventSink(int n) const;

    // Adds a line under the command log's root / under parent (output style 1, made visible),
    // handing the new item out through pItem when given. Nothing without a command log.
    void OutputText(const char* text, _TREEITEM** pItem);
    void OutputText(_TREEITEM* parent, const char* text, _TREEITEM** pItem);

    // The first instrument named refID (ignoring case) that is: with bTop non-zero, any (its
    // tree instance ID becomes instanceID when that is not empty); with bTop 0, the one whose
    // instance ID is instanceID (ignoring case). Null when none is.
    CInstrumentBase* FindInstrument(const CString& refID, const CString& instanceID, int bTop);

protected:
    // OnRemoveBegin, OnRemoveEnd, unhook, take off the list, release one reference (deleting
    // the instrument when none is left). Safe while a walk of the list is under way.
    virtual void RemoveInstrument(CInstrumentBase* instrument);

    // Gives the instrument its instance ID and owner, appends and hooks it (event 6003), then
    // calls its OnInsert(0). Nothing for null.
    void NewInstrument(CInstrumentBase* instrument, const CString& instanceID);
    // The copy of refID for one sub-circuit instance: found, or made from the top-level
    // instrument's stored state. Null without a top-level instrument or when creation fails.
    // A copy whose loading throws is removed again before the exception passes on.
    CInstrumentBase* CloneInstrument(const CString& refID, const CString& instanceID);
    // Removes every instrument named refID (ignoring case), the top-level one and all copies.
    void RemoveAllClonedInstruments(const CString& refID);

    CEventSource* m_pEventSource = nullptr;
    ComItem m_CmdLog;
    ComItem m_InstrumentGrapher;
    ComItem m_MainGrapher;
    CGuiFE* m_pGuiFE = nullptr;
    CInstrumentInterface* m_pInstrMgr;
    CInstrumentInterface* m_pInstrAgency = nullptr;
    SList<CInstrumentBase, 2> m_Instruments;
    CString m_strName;
    CString m_strName2;
    CString m_strName3;

private:
    friend class CInstrumentBase;  // publishes m_strName2 and m_strName3
    friend class veltutil::detail::InstrumentCommandLine;

    // The front end and the log, as a copy or an assignment takes them over.
    void ShareFrom(const CInstrumentDocBase& other);
    // The command log when it is the one this document created, else null.
    CTreeLog* CreatedCmdLog() const;
    // Lets go of the command log item; the log this document created is unregistered and
    // closed, and kept for FreeCreatedLog.
    void ReleaseCmdLog();
    // Frees the log this document created unless counted items still name it, then forgets it.
    void FreeCreatedLog();

    std::unique_ptr<veltutil::detail::DocLifetimes> lifetimes_;
};
