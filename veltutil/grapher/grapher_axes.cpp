#include "veltutil/grapher/grapher_axes.h"

#include <iterator>

void CGrapherAxes::Reset() {
    for (CMinMax& axis : m_Axis) axis.Reset();
    m_nRangeChanged = 0;
    std::fill(std::begin(m_Scale), std::end(m_Scale), SCALE_TYPE_RESET);
}
