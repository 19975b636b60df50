#include "veltutil/measure/min_max.h"

void CMinMax::SetMin(double v) {
    if (m_bInitialized && v <= m_dMax) {
        m_dMin = v;
        return;
    }
    First(v);
}

void CMinMax::SetMax(double v) {
    if (m_bInitialized && v >= m_dMin) {
        m_dMax = v;
        return;
    }
    First(v);
}

int CMinMax::AddPointShift(double x) {
    if (!m_bInitialized) return First(x);
    const double width = Range();
    if (x < m_dMin) {
        m_dMax = x;
        m_dMin = x - width;
        return -1;
    }
    if (x <= m_dMax) return 0;
    m_dMin = x;
    m_dMax = x + width;
    return 1;
}
