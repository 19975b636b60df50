// Node-name conversion and node-name lists over arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "veltutil/properties/property_list.h"
#include "veltutil/spice/spice.h"

namespace {
void CheckConversion(const CString& name) {
    CString trimmed = name;
    trimmed.TrimLeft();
    for (bool toSpice : {true, false}) {
        NODE_TYPE type{};
        SpiceNodeGroup group{};
        const CString converted = toSpice ? ConvToSpiceID(name, &type, &group) : ConvFromSpiceID(name, &type, &group);
        // Only a name passed through unchanged may be longer than a converted name can be.
        if (converted.GetLength() > 1023 && converted != name && converted != trimmed) __builtin_trap();
        if (type < NODE_NONE || type > NODE_SPARAM) __builtin_trap();
        if (group != (toSpice ? GetVeltNodeGroup(name) : GetSpiceNodeGroup(name))) __builtin_trap();
    }
}

// The text form and the property form must carry every record through unchanged.
void CheckList(const CString& text) {
    CSpiceNodeNameList list;
    list.fromSpaceDelimittedTokens(text, 1, 0, NODE_VOLTAGE);
    list.addFromSpaceDelimittedTokens(text, 0, 1, NODE_CURRENT);
    fromString(text, list, NODE_NONE, 0, 0);
    CSpiceNodeNameList copy;
    if (!copy.fromPropertyItem(CPropertyItem(list.toPropertyItem().GetField()))) __builtin_trap();
    auto a = list.begin();
    auto b = copy.begin();
    for (; a != list.end() && b != copy.end(); ++a, ++b)
        if ((*a)->GetNode() != (*b)->GetNode() || (*a)->GetFullNodeGroup() != (*b)->GetFullNodeGroup() ||
            (*a)->GetNodeType() != (*b)->GetNodeType())
            __builtin_trap();
    if (a != list.end() || b != copy.end()) __builtin_trap();
    (void)list.toSpaceDelimittedTokens(GROUP_ALL, "", 1);

    // Arbitrary text read as a property item.
    copy.fromPropertyItem(CPropertyItem(text));
    CSpiceNodeName record;
    record.fromPropertyItem(CPropertyItem(text));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CString text(std::string(reinterpret_cast<const char*>(data), size));
    CheckConversion(text);
    CheckList(text);
    return 0;
}
