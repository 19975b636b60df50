// The instrument's side of the circuit database: the front end's numbered properties.
#include <vector>

#include "veltutil/framework/gui_fe.h"
#include "veltutil/instruments/instrument_base.h"
#include "veltutil/instruments/instrument_doc_base.h"
#include "veltutil/instruments/internal/numbers.h"
#include "veltutil/properties/variant.h"

namespace {

constexpr long kPropPinLabels = 10011;
constexpr long kPropPinColors = 10012;
constexpr long kPropSubcktName = 10013;
constexpr long kPropName2 = 10014;
constexpr long kPropName3 = 10015;
constexpr long kPropInitialInformation = 10016;
constexpr long kPropNetlist = 10017;
constexpr long kPropCircuitName = 10070;
constexpr long kPropCircuitFileName = 10113;
constexpr long kPropSaveUndo = 18009;

// The part of a pin name before "_0V_" when the separator stands at position 1 or later.
CString pinName(const CString& name) {
    int at = name.Find(CInstrumentBase::strStaticProbeInsertNodeSeparator);
    return at >= 1 ? name.Left(at) : name;
}

// The next line of `text` from `pos`, its line end dropped; empty once the text is used up.
CString nextLine(const CString& text, int& pos) {
    if (pos >= text.GetLength()) return CString();
    int end = text.Find('\n', pos);
    if (end < 0) end = text.GetLength();
    CString line = text.Mid(pos, end - pos);
    pos = end + 1;
    return line;
}

// Gives each wanted pin the value of the first pair "pin\nvalue" of `text` that names it.
template <class Store>
void matchPins(const CString& text, const CString* pins, const int* wanted, int n, Store store) {
    std::vector<CString> names;
    names.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) names.push_back(pinName(pins[i]));
    std::vector<bool> done(static_cast<std::size_t>(n), false);
    int pos = 0;
    for (;;) {
        CString pin = nextLine(text, pos);
        CString value = nextLine(text, pos);
        if (pin.IsEmpty() || value.IsEmpty()) return;
        pin = pinName(pin);
        for (int i = 0; i < n; ++i) {
            auto slot = static_cast<std::size_t>(i);
            if (!wanted[i] || done[slot] || names[slot] != pin) continue;
            store(i, value);
            done[slot] = true;
            break;
        }
    }
}

}  // namespace

CString CInstrumentBase::ReferenceKey() const {
    CString key = GetName();
    CInstrumentDocBase::ConvertCmdRefIDString(key, m_strTreeInstanceID, m_bTopLevelTreeInstance);
    return key;
}

bool CInstrumentBase::GetTextProperty(long id, const OrvVariant& key, CString& text) {
    text.Empty();
    CGuiFE* gui = m_pDoc->GetGuiFE();
    OrvVariant value;
    if (!gui || gui->GetProperty(id, value, &key, nullptr) != S_OK) return false;
    if (const CString* answer = value.GetString()) text = *answer;
    return true;
}

long CInstrumentBase::SetNamedProperty(long id, const OrvVariant& value) {
    CGuiFE* gui = m_pDoc->GetGuiFE();
    if (!gui) return S_FALSE;
    OrvVariant key(GetName());
    return gui->SetProperty(id, value, &key, nullptr);
}

CString CInstrumentBase::GetReferenceText(long id) {
    CString text;
    GetTextProperty(id, OrvVariant(ReferenceKey()), text);
    return text;
}

CString CInstrumentBase::GetSubcktName() { return GetReferenceText(kPropSubcktName); }

CString CInstrumentBase::GetPinColors() { return GetReferenceText(kPropPinColors); }

CString CInstrumentBase::GetPinLabels() { return GetReferenceText(kPropPinLabels); }

void CInstrumentBase::GetPinColors(CString* pins, int* wanted, long* colors, int n) {
    if (!pins || !wanted || !colors || n < 1) return;
    matchPins(GetPinColors(), pins, wanted, n, [colors](int i, const CString& value) {
        colors[i] = veltutil::detail::TruncateTo<long>(veltutil::detail::ReadDouble(value));
    });
}

void CInstrumentBase::GetPinLabels(CString* pins, int* wanted, CString* labels, int n) {
    if (!pins || !wanted || !labels || n < 1) return;
    matchPins(GetPinLabels(), pins, wanted, n, [labels](int i, const CString& value) { labels[i] = value; });
}

void CInstrumentBase::UpdateInitialInformation() {
    SetNamedProperty(kPropName2, OrvVariant(m_pDoc->m_strName2));
    SetNamedProperty(kPropInitialInformation, OrvVariant());
    SetNamedProperty(kPropName3, OrvVariant(m_pDoc->m_strName3));
    CString net;
    GetNetlist(net);
    SetNamedProperty(kPropNetlist, OrvVariant(net));
}

void CInstrumentBase::UpdateDatabase_netlist() {
    try {
        CString net;
        GetNetlist(net);
        SetNamedProperty(kPropNetlist, OrvVariant(net));
    } catch (...) {
        // The database catches up with the next update; the instrument goes on.
    }
}

void CInstrumentBase::SaveUndoData() {
    try {
        SetNamedProperty(kPropSaveUndo, OrvVariant());
    } catch (...) {
        // An undo step that cannot be recorded is not worth stopping the instrument for.
    }
}

CString CInstrumentBase::GetCurrentCircuitFileName() {
    CString text;
    GetTextProperty(kPropCircuitFileName, OrvVariant(), text);
    return text;
}

int CInstrumentBase::IsBelongToCurrentCircuit(CString* pCircuit) {
    if (m_strTreeInstanceID.IsEmpty()) return 0;
    CString circuit;
    if (!GetTextProperty(kPropCircuitName, OrvVariant(GetName()), circuit)) return 0;
    if (pCircuit) *pCircuit = circuit;
    return 1;
}
