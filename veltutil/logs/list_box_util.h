#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/controls/list_box.h"
#include "veltutil/platform/host/strings/cstring_array.h"

// Moving strings between list boxes and string arrays.
class VELTUTIL_API CListBoxUtil {
public:
    // Empties `out`, then appends the text of every item in list order; with `selectedOnly`
    // non-zero only the selected items (an item whose state cannot be read is left out).
    static void GetElements(const CListBox& list, CStringArray& out, int selectedOnly);
    // Adds every string, in order; a sorted list box places each where it sorts.
    static void AddElements(CListBox& list, const CStringArray& strings);
    // For each string, deletes the first item whose text equals it exactly (case counts);
    // strings that are not there are ignored.
    static void RemoveElements(CListBox& list, const CStringArray& strings);
};
