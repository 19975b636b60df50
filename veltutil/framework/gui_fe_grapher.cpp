#include "veltutil/framework/gui_fe.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/modules/module.h"

using veltutil::detail::PlottingModuleName;
using veltutil::detail::PlottingModuleRecord;
using veltutil::detail::PlottingSource;

ComItem CGuiFE::NewComItem(const char* name, ComItem::ItemType type, long index) {
    switch (type) {
    case ComItem::ItemCmdLog:
        return ComItem(static_cast<CTreeLog*>(new CCmdLog(name, nullptr)), true);
    case ComItem::ItemGrapher:
        return newGrapherItem(name, index);
    default:
        return ComItem();
    }
}

ComItem CGuiFE::newGrapherItem(const char* name, long index) {
    if (index != 0 && index != 1) return ComItem();
    CGrapherSource& selected = PlottingSource(index);
    CGrapherSource& other = PlottingSource(1 - index);
    if (selected.GetGrapher() == nullptr && other.GetGrapher() == nullptr) {
        PlottingModuleRecord& record = m_Modules[index];
        record.Release();
        record.module = LoadLibrary(PlottingModuleName(index));
        if (record.module == nullptr) {
            AfxMessageBox("<<Load Grapher_dll failed>>", MB_OK);
            return ComItem();
        }
        record.fileName = PlottingModuleName(index);
        auto create = reinterpret_cast<GRAPHERCREATEPROC>(GetProcAddress(record.module, "GrapherCreate"));
        CGrapher* root = create != nullptr ? create(0) : nullptr;
        if (root == nullptr) {
            record.Release();
            AfxMessageBox("<<GrapherCreate failed>>", MB_OK);
            return ComItem();
        }
        selected.SetGrapher(root);
    } else if (selected.GetGrapher() == nullptr) {
        selected.SetGrapher(other.GetGrapher());
    }
    ComItem item(&selected, true);
    item.SetName(name);
    return item;
}
