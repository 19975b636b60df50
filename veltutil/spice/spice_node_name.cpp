#include "veltutil/spice/spice_node_name.h"

#include "veltutil/properties/property_list.h"
#include "veltutil/spice/node_name_conversion.h"

namespace {
constexpr const char* kDefaultLabel = "NODE";
}  // namespace

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

CPropertyItem CSpiceNodeName::toPropertyItem(const char* label) const {
    CPropertyList fields;
    fields.AddItem(CPropertyItem("GROUP", static_cast<long>(m_Group)));
    fields.AddItem(CPropertyItem("TYPE", static_cast<long>(m_Type)));
    fields.AddItem(CPropertyItem("NAME", m_Node));
    return CPropertyItem(label ? label : kDefaultLabel, std::move(fields));
}

int CSpiceNodeName::fromPropertyItem(const CPropertyItem& item, const char* label) {
    if (item.GetLabel() != (label ? label : kDefaultLabel) || item.GetTypeOfValue() != CPropertyItem::TYPE_LIST)
        return 0;
    for (const CPropertyItem* field : item.GetPropertyList()) {
        const CPropertyItem::Type type = field->GetTypeOfValue();
        const CString& name = field->GetLabel();
        if (name == "GROUP" && type == CPropertyItem::TYPE_LONG) {
            m_Group = static_cast<std::int32_t>(field->GetInt());
        } else if (name == "TYPE" && type == CPropertyItem::TYPE_LONG) {
            // Out-of-range types, negative ones included, read as no type.
            const long value = field->GetInt();
            m_Type = value >= NODE_NONE && value <= NODE_SPARAM ? static_cast<NODE_TYPE>(value) : NODE_NONE;
        } else if (name == "NAME" && type == CPropertyItem::TYPE_STRING) {
            m_Node = field->GetString();
        }
    }
    return 1;
}
