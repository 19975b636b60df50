#include "veltutil/grapher/internal/axis_rules.h"

#include <iterator>
#include <utility>

#include "veltutil/resources/internal/resource_module.h"
#include "veltutil/resources/internal/string_ids.h"

namespace veltutil::detail {

namespace {

constexpr double kTiny = 1e-9;

constexpr UINT kNodeTypeLabels[] = {
    IDS_NODE_TIME,         IDS_NODE_FREQUENCY,           IDS_NODE_VOLTAGE,           IDS_NODE_CURRENT,
    IDS_NODE_OUTPUT_NOISE_DENSITY, IDS_NODE_OUTPUT_NOISE, IDS_NODE_INPUT_NOISE_DENSITY, IDS_NODE_INPUT_NOISE,
    IDS_NODE_OUTPUT_NOISE_TOTAL,   IDS_NODE_INPUT_NOISE_TOTAL, IDS_NODE_POLES,        IDS_NODE_ZEROS,
    IDS_NODE_S_PARAMETERS,
};

constexpr unsigned long rgb(unsigned long red, unsigned long green, unsigned long blue) {
    return red | green << 8 | blue << 16;
}

constexpr unsigned long kPalette[] = {
    rgb(255, 0, 0),   rgb(0, 0, 255),   rgb(0, 255, 0),     rgb(128, 0, 128),
    rgb(0, 192, 192), rgb(96, 96, 0),   rgb(128, 128, 128), rgb(0, 0, 0),
};
constexpr int kPaletteSize = static_cast<int>(std::size(kPalette));

bool isEmpty(const char* text) { return text == nullptr || *text == '\0'; }

}  // namespace

// A constant negative value widens to a reversed pair (-5 gives -4.99995 and -5.00005): that is
// what the plotting module has always been sent for it, so the module must take such a pair.
void WidenRange(double& lo, double& hi, ScaleType scale) {
    if (lo > hi) {
        std::swap(lo, hi);
    } else if (lo == hi) {
        lo -= lo * 1e-5;
        hi *= 1.00001;
        if (hi == 0.0) {
            hi = kTiny;
            lo = -kTiny;
        }
    }
    if (scale != SCALE_TYPE_0 && lo <= 0.0) {
        hi = (hi - lo) + kTiny + kTiny;
        lo = kTiny;
    }
}

CString NodeTypeLabel(NODE_TYPE type) {
    if (type < NODE_TIME || type > NODE_SPARAM) return CString();
    return LoadLibraryString(kNodeTypeLabels[type - NODE_TIME]);
}

CString ComposeAxisLabel(const char* name, const char* unit) {
    if (isEmpty(name)) return CString(unit);
    CString label(name);
    if (!isEmpty(unit)) label += CString(" (") + unit + ")";
    return label;
}

// Trace numbers are never negative; should one be, it still picks a colour of the palette.
unsigned long TracePaletteColour(int trace) {
    return kPalette[(trace % kPaletteSize + kPaletteSize) % kPaletteSize];
}

}  // namespace veltutil::detail
