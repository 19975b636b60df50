#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/framework/event_sink.h"
#include "veltutil/platform/host/strings/cstring.h"

class CArchive;
class CInstrumentDocBase;
class CInstrumentSettingsBase;

// Base of every virtual instrument: an event sink that belongs to one instrument document.
// It keeps what all instruments share (the RefID as its name, its place among the sub-circuit
// instances, whether and where its window stands, the version stamp of its stored data) and
// gives derived instruments helpers for the circuit database, the simulator's run state and
// the common part of their stored data.
//
// Ownership: the instrument is reference counted (CInterfaceBase). The document's list does not
// own it: removal releases one reference and deletes the instrument when none is left. The
// settings window is created, set and destroyed by the derived instrument; the base only calls
// it, and it refers back into m_bShown, m_dPosX and m_dPosY, so the instrument outlives it.
//
// Stored data: Serialize writes the 24-byte common block (little-endian): m_nDataVersion
// (4 bytes), m_bShown (4), m_dPosX (8, IEEE double), m_dPosY (8). SerializeDataSection opens
// a section with a marker string; a wrong marker while loading throws a CString.
class VELTUTIL_API CInstrumentBase : public CEventSink {
public:
    // The name is the RefID; `text` becomes the sink's description.
    CInstrumentBase(CInstrumentDocBase& doc, const char* name, const CString& text);
    // Copies every member, the settings window pointer included (the copy shares the window).
    CInstrumentBase(const CInstrumentBase& other);
    CInstrumentBase& operator=(const CInstrumentBase&) = delete;
    ~CInstrumentBase() override;

    // bRestore 0: the remembered state becomes bShow and the window is shown or hidden so.
    // bRestore non-zero: the window shows the remembered state when bShow is non-zero and is
    // hidden when it is 0; the remembered state stays. Nothing without a settings window.
    virtual void Show(int bShow, int bRestore);
    // The settings window's shown state; 0 without one.
    virtual int GetShown() const;
    // Re-places the settings window and lets it redraw its controls.
    virtual void refresh_instrument_dialog(int n);
    // The byte size of the display data, added up with Size; 0 here.
    virtual void SerializeDispDataSize(int* pSize);
    // Sets pin number nPin ("setnode"; the value "$" arrives as the empty text).
    virtual void SetNodeValue(int nPin, const char* value) = 0;
    // Stores or loads the complete state through ar ("Serialize"; cloning passes 0 and 0).
    virtual void SerializeData(CArchive* ar, int a, int b) = 0;
    // Discards the measured data ("ClearData").
    virtual void ClearData() = 0;
    // The document's notifications: removal begins, the instrument was added and hooked (0 is
    // passed), removal ends (the instrument is still hooked).
    virtual void OnRemoveBegin() = 0;
    virtual void OnInsert(int n) = 0;
    virtual void OnRemoveEnd() = 0;
    // Empties net and returns 1.
    virtual int GetNetlist(CString& net);
    // 1, with the circuit's name in *pCircuit when given, when the front end names the circuit
    // of this copy (property 10070); 0 at once for a copy without a tree instance ID.
    virtual int IsBelongToCurrentCircuit(CString* pCircuit);

    void SetTreeInstanceID(CString id) { m_strTreeInstanceID = id; }
    CString GetTreeInstanceID() const { return m_strTreeInstanceID; }
    void SetIsTopLevelTreeInstance(int top) { m_bTopLevelTreeInstance = top; }
    int IsTopLevelTreeInstance() const { return m_bTopLevelTreeInstance; }
    CInstrumentDocBase& GetDoc() const { return *m_pDoc; }

    // Byte sizes of display data as SerializeDispDataSize reports them (a bool counts 4).
    static int Size(const double&) { return 8; }
    static int Size(const unsigned char&) { return 1; }
    static int Size(const unsigned short&) { return 2; }
    static int Size(const int&) { return 4; }
    static int Size(const unsigned int&) { return 4; }
    static int Size(const long&) { return 4; }
    static int Size(const unsigned long&) { return 4; }
    static int Size(const float&) { return 4; }
    static int Size(const bool&) { return 4; }
    // The length plus 1: Size(CString("abc")) -> 4.
    static int Size(const CString& text) { return text.GetLength() + 1; }

    // Publishes the instrument to the circuit database: properties 10014 (the document's
    // second name), 10016, 10015 (its third name) and 10017 (the netlist). Exceptions pass.
    void UpdateInitialInformation();
    // Publishes the netlist (10017); failures are ignored.
    void UpdateDatabase_netlist();
    // Asks the host to record an undo step for this instrument (18009); failures are ignored.
    void SaveUndoData();
    // Property 10113; empty when the front end does not answer.
    CString GetCurrentCircuitFileName();

    // "_0V_": a pin name may carry it and a suffix; pins are matched on the part before it.
    static const CString strStaticProbeInsertNodeSeparator;

protected:
    // Sets m_nDataFlag to 0, then stores or loads the common block (see above). Loading fills
    // m_nLoadedDataVersion and leaves m_nDataVersion alone.
    void Serialize(CArchive& ar);
    // Storing writes `marker`; loading reads a string and throws the CString
    // "Error: wrong beginning of instrumnet data: [marker] ( ar >> [read])" unless it equals
    // `marker` ignoring case.
    void SerializeDataSection(CArchive& ar, const CString& marker);

    // The simulator's run state, property 4004 of the instrument agency (0 stopped, 1 paused,
    // 2 running), set only when it differs. Exceptions of the agency are caught.
    void set_simulator_start();
    void set_simulator_pause();
    void set_simulator_stop();

    // Properties 10013, 10012 and 10011 of this copy; empty when the front end does not answer.
    CString GetSubcktName();
    CString GetPinColors();
    CString GetPinLabels();
    // Fill colors[i] (labels[i]) for each pin i whose wanted[i] is non-zero from the pairs of
    // lines "pin\nvalue\n" of property 10012 (10011); the first pair naming a pin wins and pins
    // compare on their part before "_0V_". Entries that no pair names keep their values. The
    // text "A_0V_2\n255\nB\n7\n" gives pins A and B the colours 255 and 7.
    void GetPinColors(CString* pins, int* wanted, long* colors, int n);
    void GetPinLabels(CString* pins, int* wanted, CString* labels, int n);

    std::int32_t m_nDataVersion = 0x40000000;
    std::int32_t m_nLoadedDataVersion = 0x40000000;
    std::int32_t m_bShown = 0;
    double m_dPosX = -1000.0;
    double m_dPosY = -1000.0;
    CInstrumentSettingsBase* m_pSettingsDlg = nullptr;
    CInstrumentDocBase* m_pDoc;
    CString m_strTreeInstanceID;
    std::int32_t m_bTopLevelTreeInstance = 1;
    std::int32_t m_nSimFlag = 0;
    std::int32_t m_nDataFlag = 0;

private:
    // The command reference string of this copy: RefID, "_[]_", top-level digit, instance ID.
    CString ReferenceKey() const;
    // Gets property id of the front end with the key; false when it does not answer. `text`
    // receives the result's string (empty when the result holds none).
    bool GetTextProperty(long id, const OrvVariant& key, CString& text);
    // The string of property id for this copy's command reference string, or empty.
    CString GetReferenceText(long id);
    // Sets property id with this instrument's name as key.
    long SetNamedProperty(long id, const OrvVariant& value);
    // The instrument agency when its run state (property 4004) is not `state` already (or
    // cannot be read); null when there is nothing to set or no agency.
    CInstrumentInterface* AgencyToSet(long state);
};
