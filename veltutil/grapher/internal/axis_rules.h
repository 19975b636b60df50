#pragma once

#include "veltutil/grapher/grapher_types.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/spice/node_type.h"

// The rules by which a graph turns its bookkeeping into what it sends the plotting module.
namespace veltutil::detail {

// Makes (lo, hi) a range the module can draw on the scale: ordered, of non-zero width, and
// strictly positive on any scale other than 0 (a logarithmic axis cannot show 0).
//   (5, 5) -> (4.99995, 5.00005);  (0, 0) -> (-1e-9, 1e-9);  (-2, 3) on scale 4 -> (1e-9, 5 + 2e-9)
void WidenRange(double& lo, double& hi, ScaleType scale);

// The axis label of a node type, from the library's string table; "" for NODE_NONE and for
// values outside the table.
CString NodeTypeLabel(NODE_TYPE type);

// "name (unit)", the name alone without a unit, the unit alone without a name; "" for neither.
//   ComposeAxisLabel("Vout", "V") -> "Vout (V)";  ComposeAxisLabel("", "V") -> "V"
CString ComposeAxisLabel(const char* name, const char* unit);

// The pen colour of a trace as the module takes it (red in the low byte), from eight colours
// that repeat: trace 9 gets the colour of trace 1.
unsigned long TracePaletteColour(int trace);

}  // namespace veltutil::detail
