#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

// Tab expansion, engineering-prefix notation and number parsing.

// Each tab-separated piece of `text` followed by (its length modulo `tabSize`) blanks, at most
// 37 of them; runs of tabs produce nothing of their own. A `tabSize` below 1 counts as 1.
VELTUTIL_API CString DetabString(CString text, int tabSize);

// Writes `value` as `mantissa` × 10^(3k) with the SI prefix of k put before `unit`. Large
// prefixes run k, M, G, T, P, E and small ones m, u, n, p, f, a; either kind can be switched
// off. A value that is not finite is passed through with the unit unchanged.
VELTUTIL_API void ExpandNumber(double value, const CString& unit, double& mantissa, CString& unitOut,
                               int largePrefixes, int smallPrefixes);

// value = atof(text) (a null text reads as 0); always returns 1.
VELTUTIL_API int fromString(const char* text, double& value);
