#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/measure/complex.h"

// Gain and phase of a measured pair of complex values against a reference pair, with the phase
// unwrapped from call to call so that a sweep moving past +-180 degrees does not jump.
class VELTUTIL_API CGainPhase {
public:
    CGainPhase() { Reset(); }

    void Reset() {
        m_dPrevPhase = 0.0;
        m_bFirst = 1;
    }

    // gain = |b1 - b2| / |a1 - a2| (0 for a zero reference); phase in degrees.
    void ComputeGainAndPhase(double& gain, double& phase, const CComplex& a1, const CComplex& a2,
                             const CComplex& b1, const CComplex& b2);

protected:
    // Magnitude and angle (radians, in (-pi, pi]) of p - q.
    void ComputeComplexDifference(double& magnitude, double& angle, const CComplex& p, const CComplex& q);

    double m_dPrevPhase;  // radians
    std::int32_t m_bFirst;
};
