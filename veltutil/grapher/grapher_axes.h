#pragma once

#include <algorithm>

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_types.h"
#include "veltutil/measure/min_max.h"

// One set of axis ranges, one per axis position, with the scale of each position and a flag
// that says whether any range changed since the flag was last cleared.
class VELTUTIL_API CGrapherAxes {
public:
    CGrapherAxes() { Reset(); }
    CGrapherAxes(const CGrapherAxes&) = default;
    CGrapherAxes& operator=(const CGrapherAxes&) = default;

    void Reset();

    // Positions outside 0 to 3 are taken as the nearest valid one rather than read past the set.
    CMinMax& GetAxis(AxisPosition position) { return m_Axis[index(position)]; }
    const CMinMax& GetAxis(AxisPosition position) const { return m_Axis[index(position)]; }
    ScaleType& GetScale(AxisPosition position) { return m_Scale[index(position)]; }
    ScaleType GetScale(AxisPosition position) const { return m_Scale[index(position)]; }

    void SetRangeChanged(int changed) { m_nRangeChanged = changed != 0 ? 1 : 0; }
    void AddRangeChanged(int changed) { m_nRangeChanged = m_nRangeChanged != 0 || changed != 0 ? 1 : 0; }
    int GetRangeChanged() const { return m_nRangeChanged; }

    static int index(AxisPosition position) { return std::clamp(static_cast<int>(position), 0, 3); }

private:
    CMinMax m_Axis[4];
    int m_nRangeChanged = 0;
    ScaleType m_Scale[4];
};
