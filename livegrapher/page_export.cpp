#include "livegrapher/page_export.h"

#include <QPixmap>
#include <QWidget>

#include "plotmodel/page_output.h"

namespace livegrapher {

long ExportPng(QWidget& graph, const std::string& file) {
    return !file.empty() && graph.grab().save(QString::fromStdString(file), "PNG") ? S_OK : E_FAIL;
}

long ExportPageFiles(plotmodel::ObjectStore& store, std::uint64_t page, const std::string& folder) {
    plotmodel::Page* shown = store.PageOf(page);
    if (shown == nullptr || folder.empty()) return E_FAIL;
    plotmodel::PageOutput files(store, 0);
    files.SetDirectory(folder);
    files.MarkWhole(*shown);
    return files.Refresh(page, true);
}

}  // namespace livegrapher
