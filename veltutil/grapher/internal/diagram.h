#pragma once

#include "veltutil/grapher/grapher_types.h"
#include "veltutil/measure/gain_phase.h"
#include "veltutil/platform/host/strings/cstring.h"

// What standard graphs and standard tables share: the texts of their value columns and axes, and
// the turning of up to eight numbers into the one or two values that a diagram type shows.
namespace veltutil::detail {

// Built when the library is loaded (library_main.cpp) and kept until it is unloaded.
struct DiagramTexts {
    CString real{"Real"};
    CString imaginary{"Imaginary"};
    CString magnitude{"Magnitude"};
    CString phase{"Phase (deg)"};
    CString gain{"Gain"};
};
const DiagramTexts& GetDiagramTexts();

// The values of one point or row: `first` always, `second` when count is 2.
struct DiagramValues {
    int count = 0;  // 0 for a type that shows nothing
    double first = 0.0;
    double second = 0.0;
};

// Up to eight numbers A to H as the diagram type reads them: type 0 shows A; types 1 and 3 show
// A and B as given; type 2 takes (A, B) as real and imaginary part and shows magnitude and phase
// in degrees; type 4 shows gain and phase of (E, F) - (G, H) against (A, B) - (C, D), from the
// calculator, whose phase unwrapping carries over from call to call.
//   type 2, A = 3, B = 4 -> {2, 5, 53.130102354152477}
DiagramValues ToDiagramValues(GrapherDiagramType type, const double (&numbers)[8], CGainPhase& calculator);

// Magnitude and phase in degrees of x + iy; the phase of a value on an axis is exact
// (0, 180, 90 or -90).
void MagnitudeAndPhase(double x, double y, double& magnitude, double& degrees);

}  // namespace veltutil::detail
