#include "plotmodel/trace_look.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace plotmodel {

namespace {

// Long dashes mark a repeat, unlike any pen style; the patterns fit the legend's sample line.
constexpr std::array<std::string_view, 4> kRepeatDashes{"16 5", "16 4 4 4", "4 7", "16 4 2 4 2 4"};
// Below this spread of its channels a colour counts as a grey, which has no hue to turn.
constexpr double kGreyChroma = 24 / 255.0;

// A colour's hue turned by 30 degrees one way and then the other, further every second repeat:
// red's repeats are orange, then rose. Greys step in lightness instead, the dark ones lighter,
// so that the repeats of black and of grey stay apart.
COLORREF shaded(COLORREF colour, std::size_t repeat) {
    double rgb[3] = {(colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, ((colour >> 16) & 0xFF) / 255.0};
    double hi = *std::max_element(rgb, rgb + 3), chroma = hi - *std::min_element(rgb, rgb + 3);
    bool odd = repeat % 2 == 1;
    if (chroma < kGreyChroma) {
        double grey = hi < 0.4 ? hi + (1 - hi) * (odd ? 0.55 : 0.3) : odd ? hi * 0.55 : hi + (1 - hi) * 0.35;
        rgb[0] = rgb[1] = rgb[2] = grey;
    } else {
        double hue = hi == rgb[0] ? (rgb[1] - rgb[2]) / chroma : hi == rgb[1] ? (rgb[2] - rgb[0]) / chroma + 2
                                                                              : (rgb[0] - rgb[1]) / chroma + 4;
        double sextant = std::fmod(hue + (odd ? 0.5 : -0.5) * static_cast<double>((repeat + 1) / 2) + 12, 6);
        for (int i = 0; i < 3; ++i) {
            double k = std::fmod((i == 0 ? 5 : i == 1 ? 3 : 1) + sextant, 6);
            rgb[i] = hi - chroma * std::clamp(std::min(k, 4 - k), 0.0, 1.0);
        }
    }
    COLORREF result = 0;
    for (int i = 0; i < 3; ++i) result |= static_cast<COLORREF>(rgb[i] * 255 + 0.5) << (8 * i);
    return result;
}

}  // namespace

std::string_view PenDashes(int style) {
    switch (style) {
        case kPenDash: return "8 4";
        case kPenDot: return "2 3";
        case kPenDashDot: return "8 3 2 3";
        case kPenDashDotDot: return "8 3 2 3 2 3";
        default: return "";
    }
}

std::vector<TraceLook> TraceLooks(const Graph& graph) {
    std::map<std::pair<COLORREF, int>, std::size_t> seen;
    std::vector<TraceLook> looks;
    for (const Trace& trace : graph.traces) {
        std::size_t repeat = trace.penStyle == kPenNull ? 0 : seen[{trace.colour, trace.penStyle}]++;
        if (repeat == 0)
            looks.push_back({trace.colour, PenDashes(trace.penStyle)});
        else
            looks.push_back({shaded(trace.colour, repeat), kRepeatDashes[(repeat - 1) % kRepeatDashes.size()]});
    }
    return looks;
}

COLORREF DrawnColour(const Graph& graph, COLORREF colour) { return graph.reversed && colour == 0 ? 0xFFFFFF : colour; }

}  // namespace plotmodel
