#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/spice/node_type.h"

// Conversion between the suite's node names (outside in, "x1.x2.mid", branch currents
// "vdd#branch") and SPICE names (inside out, "mid:x2:x1", branch currents "I(vdd)"). The type
// and group outputs are optional.
//
// Probe names keep their function: V(x1.out) <-> V(out:x1), I(x1.vdd) -> I(vdd:x1). A SPICE
// current probe I(name) converts back to the suite's branch form, so that vdd#branch -> I(vdd)
// -> vdd#branch round-trips. Types: V(...) and bare node names are voltages, I(...) and
// "#branch" currents; "all" forms, device parameters ("@r1[i]") and other probe functions have
// no type. Converted names are limited to 1023 characters: a longer result is refused and the
// name passed through unchanged, with type and group 0. Groups are classified on the first 255
// characters of a name.
VELTUTIL_API CString ConvToSpiceID(const CString& name, NODE_TYPE* pType = nullptr, SpiceNodeGroup* pGroup = nullptr);
VELTUTIL_API CString ConvFromSpiceID(const CString& name, NODE_TYPE* pType = nullptr, SpiceNodeGroup* pGroup = nullptr);

// Group and type of a SPICE-form name, as ConvFromSpiceID reports them.
VELTUTIL_API SpiceNodeGroup GetSpiceNodeGroup(const CString& name);
VELTUTIL_API NODE_TYPE GetSpiceNodeType(const CString& name);

// Group and type of a suite-form name, as ConvToSpiceID reports them.
VELTUTIL_API SpiceNodeGroup GetVeltNodeGroup(const CString& name);
VELTUTIL_API NODE_TYPE GetVeltNodeType(const CString& name);
