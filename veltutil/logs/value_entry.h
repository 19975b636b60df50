#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/controls/combo_box.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/windows/edit.h"

// A value entry: an edit box holding a number and a combo box holding its unit with an
// engineering prefix. The prefixes are G (1e9), M (1e6), k (1e3), m (1e-3), u (1e-6), n (1e-9)
// and p (1e-12), compared case-sensitively: "m" is milli, "M" mega.

// Adds to the combo box GV, MV, kV (when `big`), V, then mV, uV, nV, pV (when `small`) for the
// unit V, and shows `value` as SetComboBoxAndEditBox does.
VELTUTIL_API void FillComboBoxAndEditBox(CComboBox& combo, CEdit& edit, CString unit, int big, int small, double value);

// Splits `value` with ExpandNumber, selects the combo box entry that begins with the prefixed
// unit (case counts) and writes the mantissa into the edit box ("%lg"): 0.0047 V -> "4.7", mV.
// When no entry begins with that prefixed unit (ExpandNumber also knows T, P, f and a), the
// value is written whole and the plain unit selected (when listed), so that reading the entry
// back loses nothing.
VELTUTIL_API void SetComboBoxAndEditBox(CComboBox& combo, CEdit& edit, CString unit, int big, int small, double value);

// value := the edit box's number (atof: 0 without one), times the factor of the combo box
// text's first character when that text is one character longer than `unit` and the character
// is a prefix: "4.7" with kV -> 4700, with V or xV -> 4.7. The rest of the text is not
// compared with the unit.
VELTUTIL_API void ReadComboBoxAndEditBox(CComboBox& combo, CEdit& edit, double& value, const CString& unit);
