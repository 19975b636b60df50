#pragma once

#include <new>

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/spice/spice_node_name.h"

class CPropertyItem;

// The nodes and device parameters selected for output, in insertion order, with SPICE-form
// names. Filled from blank-separated text, another list or a property item; written back as
// the text of a save request, a property item or lines of a text file.
//
// The bSelect and bIPlot flags of the filling operations give new records their selection
// marks: IPlot (which implies selected), else selected, else none.
class VELTUTIL_API CSpiceNodeNameList : public CopiableSList<CSpiceNodeName> {
public:
    CSpiceNodeNameList() = default;
    CSpiceNodeNameList(const CSpiceNodeNameList& other) = default;
    CSpiceNodeNameList& operator=(const CSpiceNodeNameList& other) = default;

    // Words are separated by blanks only; duplicates are kept.
    void fromSpaceDelimittedTokens(const CString& text, int bSelect, int bIPlot, NODE_TYPE type);
    void addFromSpaceDelimittedTokens(const CString& text, int bSelect, int bIPlot, NODE_TYPE type);
    // A name already present only has its selection mark set or cleared by bSelect.
    void addFromToken(const CString& token, int bSelect, int bIPlot, NODE_TYPE type);
    // Appends the records of `other` that this list does not name yet (all of them when this
    // list is empty), with fresh selection marks.
    void addFromCSpiceNodeNameList(const CSpiceNodeNameList& other, int bSelect, int bIPlot);

    // The names whose group word meets `groupMask`, each followed by a blank. With bAll the text
    // starts with "all " and lists only device parameters ('@'), which "all" does not cover. An
    // empty list gives `emptyText` unless bAll is set.
    CString toSpaceDelimittedTokens(int groupMask, const char* emptyText, int bAll) const;

    void SelectAll(int on);
    void IPlotAll(int on);
    // bMatching non-zero removes the records that match, 0 keeps only them.
    void EraseAllOfNodeGroup(long mask, int bMatching);
    void EraseAllOfNodeType(NODE_TYPE type, int bMatching);
    void GetStrings(int groupMask, CSpiceNodeNameList& out) const;
    void GetStrings(NODE_TYPE type, int groupMask, CSpiceNodeNameList& out) const;
    // Zero-based position counting every node, or -1.
    int Find(const char* name) const;

    CPropertyItem toPropertyItem(const char* label = nullptr) const;
    // 1 when every field became a record; 0 when a field was skipped, or, with the list left
    // unchanged, when `item` has another label or no list value.
    int fromPropertyItem(const CPropertyItem& item, const char* label = nullptr);

    // Appends the names, one a line, and an empty line to the file; a file that cannot be
    // opened is skipped.
    void print(CString fileName) const;

private:
    friend void fromString(const CString& text, CSpiceNodeNameList& list, NODE_TYPE type, int group, int bClear);

    // Appends a record made from `args` unless memory runs out, in which case it is skipped.
    template <class... Args>
    void AppendRecord(const Args&... args) {
        try {
            append(new CSpiceNodeName(args...));
        } catch (const std::bad_alloc&) {
        }
    }
    template <class Keep>
    void GetMatching(CSpiceNodeNameList& out, Keep keep) const;
    template <class Match>
    void EraseIf(Match match);
    CSpiceNodeName* FindAny(const CString& name) const;
};

// Splits `text` into words as command lines are split and appends a record (word, type, group)
// for each, after emptying the list when bClear is non-zero.
VELTUTIL_API void fromString(const CString& text, CSpiceNodeNameList& list, NODE_TYPE type, int group, int bClear);
