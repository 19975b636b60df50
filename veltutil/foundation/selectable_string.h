#pragma once

#include "veltutil/export.h"
#include "veltutil/foundation/slist_nodes.h"
#include "veltutil/platform/host/strings/cstring.h"

// Option lists of commands and dialogs: texts with a selection value. Selections serve both
// as plain values (compared for equality) and as bit sets (tested against a mask).

class VELTUTIL_API SelectableString {
public:
    SelectableString() = default;
    SelectableString(long selection, const char* text) : selection_(selection), text_(text) {}
    SelectableString(const SelectableString&) = default;
    SelectableString& operator=(const SelectableString&) = default;
    ~SelectableString() = default;

    void selection(int value) { selection_ = value; }
    long selection() const { return selection_; }
    const char* string() const { return text_; }

private:
    long selection_ = 0;
    CString text_;
};

// Owning list of selectable strings. Positions count every node from the head; lookups and
// changes consider only live elements. Copies are deep and node for node.
class VELTUTIL_API SelectableStringList : public veltutil::detail::NodeCopyingSList<SelectableString> {
public:
    SelectableStringList() = default;
    SelectableStringList(const SelectableStringList&) = default;
    SelectableStringList& operator=(const SelectableStringList&) = default;
    virtual ~SelectableStringList();

    void SelectAll(int selection);
    // Position of the first element whose text equals `text` exactly, or -1.
    int Find(const char* text) const;
    // Replaces `out` with copies, selection 0, of the elements whose selection has a bit of `mask`.
    void GetStrings(int mask, SelectableStringList& out) const;
    // The texts of the elements whose selection equals `selection`, each followed by one blank;
    // `emptyText` (or "" when null) when the list holds no element at all.
    CString toSpaceDelimittedTokens(int selection, const char* emptyText) const;
    // Replaces the elements with the words of `text`, each with `selection`.
    void fromSpaceDelimittedTokens(const CString& text, int selection);
    // Gives each word of `text` the `selection`: the existing element with that text, or a new
    // one appended.
    void addFromSpaceDelimittedTokens(const CString& text, int selection);
};

// The texts of the elements whose selection has a bit of `mask`, joined by single blanks;
// `*count` (when given) receives how many were joined.
VELTUTIL_API CString toString(SelectableStringList& list, int mask, int* count);
// Appends the words of `text` with `selection`, after emptying `list` when `clear` is nonzero.
VELTUTIL_API void fromString(const CString& text, SelectableStringList& list, int selection, int clear);
