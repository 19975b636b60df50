#pragma once

#include <cstdint>

// The quantity a signal name stands for; values from 14 on are invalid.
enum NODE_TYPE : std::int32_t {
    NODE_NONE = 0,
    NODE_TIME = 1,
    NODE_FREQUENCY = 2,
    NODE_VOLTAGE = 3,
    NODE_CURRENT = 4,
    NODE_ONOISE_DENSITY = 5,
    NODE_ONOISE_TOTAL = 6,
    NODE_INOISE_DENSITY = 7,
    NODE_INOISE_TOTAL = 8,
    NODE_ONOISE = 9,
    NODE_INOISE = 10,
    NODE_POLE = 11,
    NODE_ZERO = 12,
    NODE_SPARAM = 13,
};

// Classifies a node. The same word in a CSpiceNodeName also carries the selection marks.
enum SpiceNodeGroup : std::int32_t {
    GROUP_INTERNAL = 0x001,   // internal node of a device (a '#' suffix other than "#branch")
    GROUP_OPEN_PIN = 0x002,   // node of an unconnected pin ("_OPEN_")
    GROUP_SUBCKT = 0x004,     // node inside a device modelled as a sub-circuit
    GROUP_SUBMODULE = 0x008,  // node inside a hierarchical block instance (":x")
    GROUP_SELECTED = 0x100,
    GROUP_IPLOT = 0x200,
    GROUP_FILTER = 0x400,     // the text was "all" followed by group words
    GROUP_ALL = ~GROUP_SELECTED,  // 0xFFFFFEFF: every group
};
