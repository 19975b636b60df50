#include "veltutil/foundation/selectable_string.h"

#include "veltutil/foundation/slist_nodes.h"
#include "veltutil/foundation/text_split.h"
#include "veltutil/platform/host/strings/cstring_array.h"

using veltutil::detail::FindLivePosition;
using veltutil::detail::LiveAt;

namespace {

CStringArray wordsOf(const CString& text) {
    CStringArray words;
    DivideStringIntoWords(text, words);
    return words;
}

bool hasMask(const SelectableString& element, int mask) { return (element.selection() & mask) != 0; }

}  // namespace

SelectableStringList::~SelectableStringList() = default;

void SelectableStringList::SelectAll(int selection) {
    for (SelectableString* element : *this) element->selection(selection);
}

int SelectableStringList::Find(const char* text) const {
    CString wanted(text);
    return FindLivePosition(*this, [&](const SelectableString& element) { return wanted == element.string(); });
}

void SelectableStringList::GetStrings(int mask, SelectableStringList& out) const {
    out.erase_all();
    for (const SelectableString* element : *this)
        if (hasMask(*element, mask)) out.append(new SelectableString(0, element->string()));
}

CString SelectableStringList::toSpaceDelimittedTokens(int selection, const char* emptyText) const {
    if (begin() == end()) return CString(emptyText);
    CString result;
    for (const SelectableString* element : *this) {
        if (element->selection() != selection) continue;
        result += element->string();
        result += ' ';
    }
    return result;
}

void SelectableStringList::fromSpaceDelimittedTokens(const CString& text, int selection) {
    erase_all();
    for (const CString& word : wordsOf(text)) append(new SelectableString(selection, word));
}

void SelectableStringList::addFromSpaceDelimittedTokens(const CString& text, int selection) {
    for (const CString& word : wordsOf(text)) {
        if (SelectableString* existing = LiveAt(*this, Find(word)))
            existing->selection(selection);
        else
            append(new SelectableString(selection, word));
    }
}

CString toString(SelectableStringList& list, int mask, int* count) {
    CString result;
    int joined = 0;
    for (const SelectableString* element : list) {
        if (!hasMask(*element, mask)) continue;
        if (joined++ > 0) result += ' ';
        result += element->string();
    }
    if (count != nullptr) *count = joined;
    return result;
}

void fromString(const CString& text, SelectableStringList& list, int selection, int clear) {
    if (clear) list.erase_all();
    for (const CString& word : wordsOf(text)) list.append(new SelectableString(selection, word));
}
