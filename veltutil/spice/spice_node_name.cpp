#include "veltutil/spice/spice_node_name.h"

#include "veltutil/spice/node_name_conversion.h"

CSpiceNodeName::CSpiceNodeName(const char* name, NODE_TYPE type, int group)
    : m_Group(group), m_Type(type), m_Node(name) {
    if (group == 0)
        m_Group = GetSpiceNodeGroup(m_Node);
    else if ((group & (GROUP_SELECTED | GROUP_IPLOT)) && m_Node != "all")
        m_Group = GetSpiceNodeGroup(m_Node) | group;
}

CSpiceNodeName& CSpiceNodeName::Select(int on) {
    if (on)
        m_Group |= GROUP_SELECTED;
    else
        m_Group &= ~GROUP_SELECTED;
    return *this;
}

CSpiceNodeName& CSpiceNodeName::IPlot(int on) {
    if (on)
        m_Group |= GROUP_SELECTED | GROUP_IPLOT;
    else
        m_Group &= ~GROUP_IPLOT;
    return *this;
}

CSpiceNodeName& CSpiceNodeName::SelectIPlot(int on) {
    if (on)
        m_Group |= GROUP_SELECTED | GROUP_IPLOT;
    else
        m_Group &= ~(GROUP_SELECTED | GROUP_IPLOT);
    return *this;
}
