#include "command_line_log.h"

#include "snapin_protocol.h"

namespace veltsim {

CTreeLog* CommandLineLog(CGuiFE& frontEnd) {
    if (CSnapInContainer* container = frontEnd.GetSnapInContainer()) {
        for (int n = 0; n < container->GetNumItems(); ++n) {
            ComItem item = container->GetNthItem(n);
            if (item.GetType() == ComItem::ItemCmdLog && item.HasName(ComItem::NameByItem, kCommandLineLogName)) {
                return item.GetCmdLog();
            }
        }
    }
    return frontEnd.GetNthItem(ComItem::ItemCmdLog, -1).GetCmdLog();
}

}  // namespace veltsim
