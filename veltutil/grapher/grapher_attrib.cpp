#include "veltutil/grapher/grapher_attrib.h"

#include <algorithm>
#include <iterator>

void CGrapherAttrib::Reset() {
    m_TabName.Empty();
    std::fill(std::begin(m_AxisScale), std::end(m_AxisScale), SCALE_TYPE_RESET);
    std::fill(std::begin(m_NodeType), std::end(m_NodeType), NODE_NONE);
    m_Axes.Reset();
    m_DiagramType = DIAGRAM_SINGLE_VALUE;
    m_nKeepPageOpen = 0;
    m_nGroupAllTraces = 0;
    m_TracePrefix.Empty();
    m_TracePostfix.Empty();
}
