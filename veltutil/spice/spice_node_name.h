#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/spice/node_type.h"

class CPropertyItem;

// A node name with its type and group word. The name is kept in whatever form the user of the
// record chose; node-name lists keep SPICE-form names.
class VELTUTIL_API CSpiceNodeName {
public:
    CSpiceNodeName() = default;
    // A group of 0 takes the groups the SPICE-form name implies; so does a group carrying a
    // selection mark, except for the filter word "all", whose group is taken as given.
    CSpiceNodeName(const char* name, NODE_TYPE type, int group);

    const CString& GetNode() const { return m_Node; }
    NODE_TYPE GetNodeType() const { return m_Type; }
    void SetNodeType(NODE_TYPE type) { m_Type = type; }
    int GetFullNodeGroup() const { return m_Group; }
    void SetNodeGroup(SpiceNodeGroup group) { m_Group = group; }
    void SetNodeGroup(int group) { m_Group = group; }
    void AddNodeGroup(SpiceNodeGroup group) { m_Group |= group; }
    void RemoveNodeGroup(SpiceNodeGroup group) { m_Group &= ~group; }

    int IsSelected() const { return (m_Group & GROUP_SELECTED) ? 1 : 0; }
    int IsIPlot() const { return (m_Group & GROUP_IPLOT) ? 1 : 0; }
    CSpiceNodeName& Select(int on);
    // On marks the node both selected and IPlot; off clears only the IPlot mark.
    CSpiceNodeName& IPlot(int on);
    CSpiceNodeName& SelectIPlot(int on);

    // A list-valued item holding "GROUP" (long), "TYPE" (long) and "NAME" (string).
    CPropertyItem toPropertyItem(const char* label = nullptr) const;
    // 1 when `item` carries `label` and a list value (fields read as far as they are valid),
    // 0 with the record unchanged otherwise.
    int fromPropertyItem(const CPropertyItem& item, const char* label = nullptr);

private:
    std::int32_t m_Group = 0;
    NODE_TYPE m_Type = NODE_NONE;
    CString m_Node;
};
