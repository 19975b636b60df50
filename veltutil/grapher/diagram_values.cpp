#include <cmath>

#include "veltutil/grapher/internal/diagram.h"

namespace veltutil::detail {

void MagnitudeAndPhase(double x, double y, double& magnitude, double& degrees) {
    magnitude = std::sqrt(x * x + y * y);
    if (y == 0.0) {
        degrees = x >= 0.0 ? 0.0 : 180.0;
    } else if (x == 0.0) {
        degrees = y >= 0.0 ? 90.0 : -90.0;
    } else {
        // The factor that plotted phases have always been converted with; it is 180/pi to 11
        // digits, so atan2(4, 3) gives 53.130102354152477 rather than 53.13010235415598.
        degrees = std::atan2(y, x) * 57.29577951307855;
    }
}

DiagramValues ToDiagramValues(GrapherDiagramType type, const double (&n)[8], CGainPhase& calculator) {
    DiagramValues values;
    switch (type) {
    case DIAGRAM_SINGLE_VALUE:
        values = {1, n[0], 0.0};
        break;
    case DIAGRAM_REAL_IMAGINARY:
    case DIAGRAM_MAGNITUDE_PHASE:
        values = {2, n[0], n[1]};
        break;
    case DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX:
        values.count = 2;
        MagnitudeAndPhase(n[0], n[1], values.first, values.second);
        break;
    case DIAGRAM_GAIN_PHASE:
        values.count = 2;
        calculator.ComputeGainAndPhase(values.first, values.second, {n[0], n[1]}, {n[2], n[3]}, {n[4], n[5]},
                                       {n[6], n[7]});
        break;
    }
    return values;
}

}  // namespace veltutil::detail
