#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

#include "livegrapher/graph/graph_settings.h"

// What the cursors read: each shown trace's value at a cursor's X, exact on a sample and
// interpolated between two (marked "≈"), and the differences between the two cursors.

namespace livegrapher {

struct CursorReading {
    std::size_t trace;
    double y;           // as drawn: the trace's scale and offset, in dB when those are shown
    bool interpolated;  // between two samples, not on one
};

// The readings at x, a value of the bottom X axis as drawn. A trace with no sample there (x
// beyond its ends, a gap beside it) gives none; one whose X values jump about gives its
// sample nearest to x.
std::vector<CursorReading> ReadAt(const plotmodel::Graph& graph, const std::vector<plotmodel::MinMaxPyramid>& pyramids,
                                  const ViewSettings& settings, double x);

// "C1 x=…" with each trace's value, for every cursor placed, and then Δx, 1/Δx and each
// trace's Δy when both are.
QString ReadoutOf(const plotmodel::Graph& graph, const std::vector<plotmodel::MinMaxPyramid>& pyramids,
                  const ViewSettings& settings, const std::array<std::optional<double>, 2>& cursors);

// A trace's name as its legend entry gives it.
QString TraceName(const plotmodel::Graph& graph, std::size_t trace);

}  // namespace livegrapher
