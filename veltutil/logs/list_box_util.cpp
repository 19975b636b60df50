#include "veltutil/logs/list_box_util.h"

void CListBoxUtil::GetElements(const CListBox& list, CStringArray& out, int selectedOnly) {
    out.RemoveAll();
    CString text;
    for (int index = 0; index < list.GetCount(); ++index) {
        if (selectedOnly && list.GetSel(index) <= 0) continue;
        list.GetText(index, text);
        out.Add(text);
    }
}

void CListBoxUtil::AddElements(CListBox& list, const CStringArray& strings) {
    for (const CString& text : strings) list.AddString(text);
}

void CListBoxUtil::RemoveElements(CListBox& list, const CStringArray& strings) {
    CString text;
    for (const CString& wanted : strings) {
        // FindStringExact ignores case, which would take "mV" for "MV".
        for (int index = 0; index < list.GetCount(); ++index) {
            list.GetText(index, text);
            if (text == wanted) {
                list.DeleteString(static_cast<UINT>(index));
                break;
            }
        }
    }
}
