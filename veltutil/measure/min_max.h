#pragma once

#include <cstdint>

#include "veltutil/export.h"

// A running range of doubles, also the axis range of every graph. Until the first point arrives
// the bounds are only placeholders: the first point replaces them whatever they hold.
class VELTUTIL_API CMinMax {
public:
    CMinMax() = default;
    CMinMax(double min, double max) : m_dMin(min), m_dMax(max) {}

    void Reset() { *this = CMinMax(); }
    void SetMin(double v);
    void SetMax(double v);

    double GetMin() const { return m_dMin; }
    double GetMax() const { return m_dMax; }
    double Range() const { return m_dMax - m_dMin; }
    int IsInitialized() const { return m_bInitialized; }
    int IsNull() const { return !m_bInitialized || m_dMin >= m_dMax ? 1 : 0; }

    // The point operations return -1, 0 or 1: the point lay below the range, inside it (or was
    // the first point), above it. AddPoint and GetPointPosition run once per plotted sample, so
    // they stay inline.
    int AddPoint(double x, double factor) {
        if (!m_bInitialized) return First(x);
        if (x < m_dMin) {
            m_dMin = factor <= 1.0 ? x : m_dMax - (m_dMax - x) * factor;
            return -1;
        }
        if (x <= m_dMax) return 0;
        m_dMax = factor <= 1.0 ? x : m_dMin + (x - m_dMin) * factor;
        return 1;
    }
    int AddPointShift(double x);
    int GetPointPosition(double x) { return AddPoint(x, 1.0); }

protected:
    double m_dMin = 0.0;
    double m_dMax = 0.0;
    std::int32_t m_bInitialized = 0;

private:
    int First(double x) {
        m_dMin = m_dMax = x;
        m_bInitialized = 1;
        return 0;
    }
};
