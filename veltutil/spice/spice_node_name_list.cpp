#include "veltutil/spice/spice_node_name_list.h"

#include <cctype>
#include <string_view>

#include "veltutil/foundation/text_file.h"
#include "veltutil/foundation/text_split.h"
#include "veltutil/platform/host/strings/cstring_array.h"
#include "veltutil/properties/property_list.h"

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

constexpr const char* kDefaultLabel = "NODE_LIST";

int SelectionWord(int bSelect, int bIPlot) {
    if (bIPlot) return GROUP_SELECTED | GROUP_IPLOT;
    return bSelect ? GROUP_SELECTED : 0;
}

// Calls `f` with each word of `text` with its ends trimmed.
template <class F>
void ForEachWord(const CString& text, F f) {
    std::string_view rest = text.view();
    while (!rest.empty() && IsSpace(rest.back())) rest.remove_suffix(1);
    std::string_view word;
    while (veltutil::detail::ExtractWord(rest, word)) f(CString(word));
}

}  // namespace

void CSpiceNodeNameList::fromSpaceDelimittedTokens(const CString& text, int bSelect, int bIPlot, NODE_TYPE type) {
    erase_all();
    const int word = SelectionWord(bSelect, bIPlot);
    ForEachWord(text, [&](const CString& name) { AppendRecord(name, type, word); });
}

void CSpiceNodeNameList::addFromSpaceDelimittedTokens(const CString& text, int bSelect, int bIPlot, NODE_TYPE type) {
    ForEachWord(text, [&](const CString& name) { addFromToken(name, bSelect, bIPlot, type); });
}

CSpiceNodeName* CSpiceNodeNameList::FindAny(const CString& name) const {
    // Looks at every node, those marked for removal included.
    for (VoidListLink* link = head; link; link = link->next) {
        CSpiceNodeName* record = static_cast<SListLink*>(link)->value;
        if (record && record->GetNode() == name) return record;
    }
    return nullptr;
}

void CSpiceNodeNameList::addFromToken(const CString& token, int bSelect, int bIPlot, NODE_TYPE type) {
    CString name = token;
    name.Trim();
    if (name.IsEmpty()) return;
    if (CSpiceNodeName* record = FindAny(name)) {
        record->Select(bSelect);
        return;
    }
    AppendRecord(name, type, SelectionWord(bSelect, bIPlot));
}

void CSpiceNodeNameList::addFromCSpiceNodeNameList(const CSpiceNodeNameList& other, int bSelect, int bIPlot) {
    const bool wasEmpty = is_empty();
    const int word = SelectionWord(bSelect, bIPlot);
    for (const CSpiceNodeName* record : other) {
        if (!wasEmpty && Find(record->GetNode()) >= 0) continue;
        const bool all = record->GetNode() == "all";
        AppendRecord(record->GetNode(), record->GetNodeType(), all ? record->GetFullNodeGroup() : word);
    }
}

CString CSpiceNodeNameList::toSpaceDelimittedTokens(int groupMask, const char* emptyText, int bAll) const {
    CString text = bAll ? "all " : "";
    bool any = false;
    for (const CSpiceNodeName* record : *this) {
        any = true;
        if (!(record->GetFullNodeGroup() & groupMask)) continue;
        if (bAll && !record->GetNode().view().starts_with('@')) continue;
        text += record->GetNode();
        text += ' ';
    }
    if (any || !text.IsEmpty()) return text;
    return CString(emptyText);
}

void CSpiceNodeNameList::SelectAll(int on) {
    for (CSpiceNodeName* record : *this) record->Select(on);
}

void CSpiceNodeNameList::IPlotAll(int on) {
    for (CSpiceNodeName* record : *this) record->IPlot(on);
}

template <class Match>
void CSpiceNodeNameList::EraseIf(Match match) {
    for (iter it = begin(); it != end(); ++it)
        if (match(**it)) remove(it.node());
}

void CSpiceNodeNameList::EraseAllOfNodeGroup(long mask, int bMatching) {
    EraseIf([&](const CSpiceNodeName& r) { return ((r.GetFullNodeGroup() & mask) != 0) == (bMatching != 0); });
}

void CSpiceNodeNameList::EraseAllOfNodeType(NODE_TYPE type, int bMatching) {
    EraseIf([&](const CSpiceNodeName& r) { return (r.GetNodeType() == type) == (bMatching != 0); });
}

template <class Keep>
void CSpiceNodeNameList::GetMatching(CSpiceNodeNameList& out, Keep keep) const {
    // Built aside so that `out` may be this list itself.
    CSpiceNodeNameList result;
    for (const CSpiceNodeName* record : *this)
        if (keep(*record)) result.AppendRecord(record->GetNode(), record->GetNodeType(), record->GetFullNodeGroup());
    out.erase_all();
    out.swap_with(result);
}

void CSpiceNodeNameList::GetStrings(int groupMask, CSpiceNodeNameList& out) const {
    GetMatching(out, [&](const CSpiceNodeName& r) { return (r.GetFullNodeGroup() & groupMask) != 0; });
}

void CSpiceNodeNameList::GetStrings(NODE_TYPE type, int groupMask, CSpiceNodeNameList& out) const {
    GetMatching(out, [&](const CSpiceNodeName& r) {
        return r.GetNodeType() == type && (r.GetFullNodeGroup() & groupMask) != 0;
    });
}

int CSpiceNodeNameList::Find(const char* name) const {
    if (!name) return -1;
    int position = 0;
    // Positions count every node, empty and removal-marked ones included.
    for (VoidListLink* link = head; link; link = link->next, ++position) {
        const CSpiceNodeName* record = static_cast<SListLink*>(link)->value;
        if (record && !link->removed && record->GetNode() == name) return position;
    }
    return -1;
}

CPropertyItem CSpiceNodeNameList::toPropertyItem(const char* label) const {
    CPropertyList records;
    for (const CSpiceNodeName* record : *this) records.AddItem(record->toPropertyItem());
    return CPropertyItem(label ? label : kDefaultLabel, std::move(records));
}

int CSpiceNodeNameList::fromPropertyItem(const CPropertyItem& item, const char* label) {
    if (item.GetLabel() != (label ? label : kDefaultLabel) || item.GetTypeOfValue() != CPropertyItem::TYPE_LIST)
        return 0;
    erase_all();
    int everyField = 1;
    for (const CPropertyItem* field : item.GetPropertyList()) {
        CSpiceNodeName record;
        if (record.fromPropertyItem(*field))
            AppendRecord(record);
        else
            everyField = 0;
    }
    return everyField;
}

void CSpiceNodeNameList::print(CString fileName) const {
    CString text;
    for (const CSpiceNodeName* record : *this) {
        text += record->GetNode();
        text += '\n';
    }
    printapp(text, fileName);
}

void fromString(const CString& text, CSpiceNodeNameList& list, NODE_TYPE type, int group, int bClear) {
    CStringArray words;
    DivideStringIntoWords(text, words);
    if (bClear) list.erase_all();
    for (int i = 0; i < words.GetSize(); ++i) list.AppendRecord(words[i], type, group);
}
