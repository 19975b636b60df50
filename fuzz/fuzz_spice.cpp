// Node-name conversion and node-name lists over arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

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
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CString text(std::string(reinterpret_cast<const char*>(data), size));
    CheckConversion(text);
    return 0;
}
