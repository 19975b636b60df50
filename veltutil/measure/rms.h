#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/measure/integrator.h"

// Root-mean-square value of samples over the abscissa span they cover.
class VELTUTIL_API CRMS {
public:
    CRMS() { Reset(0.0); }

    // v is both the starting abscissa and the starting integral of the squares.
    void Reset(double v) {
        m_bStarted = 0;
        m_dXStart = v;
        m_dX = v;
        m_Integrator.Reset(v);
    }

    // Called once per simulation sample, hence inline.
    void AddDxPoint(double y, double dx) {
        m_bStarted = 1;
        m_dX += dx;
        m_Integrator.AddDxPoint(y * y, dx);
    }
    void AddPoint(double y, double x) { AddDxPoint(y, x - m_dX); }

    double GetRMS() const;

protected:
    std::int32_t m_bStarted;
    double m_dXStart;
    double m_dX;
    CIntegrator m_Integrator;
};
