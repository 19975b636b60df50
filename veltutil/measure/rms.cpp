#include "veltutil/measure/rms.h"

#include <cmath>

double CRMS::GetRMS() const {
    double span = m_dX - m_dXStart;
    // An empty accumulator reports 0 instead of dividing by zero.
    if (span == 0.0) span = 1e-12;
    return std::sqrt(m_Integrator.GetIntegral() / span);
}
