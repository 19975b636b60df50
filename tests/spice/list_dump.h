#pragma once

#include <cstdio>
#include <string>

#include "veltutil/spice/spice_node_name_list.h"

// A list's records as "name/type/group" words (group in hex), for compact expectations.
inline std::string Dump(const CSpiceNodeNameList& list) {
    std::string text;
    for (const CSpiceNodeName* r : list) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "/%d/%x", r->GetNodeType(), static_cast<unsigned>(r->GetFullNodeGroup()));
        text += (text.empty() ? "" : " ") + r->GetNode().str() + buffer;
    }
    return text;
}
