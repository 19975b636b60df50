#include "veltutil/logs/value_entry.h"

#include <cstdlib>

#include "veltutil/foundation/text_format.h"

namespace {

struct Prefix {
    char letter;
    double factor;
};

// In the order the combo box lists them.
constexpr Prefix kLargePrefixes[] = {{'G', 1e9}, {'M', 1e6}, {'k', 1e3}};
constexpr Prefix kSmallPrefixes[] = {{'m', 1e-3}, {'u', 1e-6}, {'n', 1e-9}, {'p', 1e-12}};

const Prefix* findPrefix(char letter) {
    for (const Prefix& prefix : kLargePrefixes) {
        if (prefix.letter == letter) return &prefix;
    }
    for (const Prefix& prefix : kSmallPrefixes) {
        if (prefix.letter == letter) return &prefix;
    }
    return nullptr;
}

// The first entry that begins with `text`, case counting (the combo box's own search ignores
// case, which would take MV for mV); -1 for none.
int entryBeginningWith(const CComboBox& combo, const CString& text) {
    CString entry;
    for (int index = 0; index < combo.GetCount(); ++index) {
        combo.GetLBText(index, entry);
        if (entry.view().substr(0, text.view().size()) == text.view()) return index;
    }
    return -1;
}

}  // namespace

void FillComboBoxAndEditBox(CComboBox& combo, CEdit& edit, CString unit, int big, int small, double value) {
    if (big) {
        for (const Prefix& prefix : kLargePrefixes) combo.AddString(prefix.letter + unit);
    }
    combo.AddString(unit);
    if (small) {
        for (const Prefix& prefix : kSmallPrefixes) combo.AddString(prefix.letter + unit);
    }
    SetComboBoxAndEditBox(combo, edit, unit, big, small, value);
}

void SetComboBoxAndEditBox(CComboBox& combo, CEdit& edit, CString unit, int big, int small, double value) {
    double mantissa = value;
    CString prefixed;
    ExpandNumber(value, unit, mantissa, prefixed, big, small);
    int entry = entryBeginningWith(combo, prefixed);
    if (entry == -1) {
        mantissa = value;
        entry = entryBeginningWith(combo, unit);
    }
    if (entry != -1) combo.SetCurSel(entry);
    CString text;
    text.Format("%lg", mantissa);
    edit.SetWindowText(text);
}

void ReadComboBoxAndEditBox(CComboBox& combo, CEdit& edit, double& value, const CString& unit) {
    value = std::atof(edit.GetWindowText());
    const CString& text = combo.GetWindowText();
    if (text.GetLength() != unit.GetLength() + 1) return;
    if (const Prefix* prefix = findPrefix(text[0])) value *= prefix->factor;
}
