#pragma once

#include <string>

#include "instrument_doc.h"

namespace veltsim {

// Runs `action`; what storing or loading instrument data throws (a file or archive fault, a
// section marker that is not the one expected) becomes false, with its text in `error`.
template <class Action>
bool CatchDataFaults(Action action, std::string& error) {
    try {
        action();
        return true;
    } catch (const CException& fault) {
        char text[512];
        error = fault.GetErrorMessage(text, sizeof text) ? text : "unreadable data";
    } catch (const CString& fault) {
        error = fault.str();
    }
    return false;
}

// The instruments of a circuit are kept beside its deck, in "<deck>.instruments": a header
// ("veltsim instruments" and the format's version), the number of instruments, then each one's
// RefID and its complete stored state (CInstrumentBase::SerializeData), in the host framework's
// archive form.
std::string InstrumentFileOf(const std::string& deck);

// Writes the document's top-level instruments into `file`. False, with the reason, when the
// file cannot be written.
bool SaveInstruments(InstrumentDoc& doc, const std::string& file, std::string& error);

// The bytes SaveInstruments would write: two are equal when nothing was made, removed or
// changed in between.
std::string InstrumentBytes(InstrumentDoc& doc);

// Makes the instruments stored in `file` beside those the document holds, and says how many.
// False, with the reason, when the file cannot be read or holds something else; the instruments
// read before the fault stay.
bool RestoreInstruments(InstrumentDoc& doc, const std::string& file, int& restored, std::string& error);

}  // namespace veltsim
