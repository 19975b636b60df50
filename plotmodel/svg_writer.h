#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "plotmodel/graph_model.h"

namespace plotmodel {

// Samples per pixel column beyond which a trace that jumps about is drawn as its span per
// column (decimate.h): a file of a few hundred kilobytes at most, whatever the data.
constexpr std::size_t kMaxPointsPerColumn = 8;

// The graph as a standalone SVG document of kGraphWidth x kGraphHeight pixels. `serial` makes
// its element identifiers unique when several graphs share one HTML page.
std::string GraphSvg(const Graph& graph, std::uint64_t serial);

}  // namespace plotmodel
