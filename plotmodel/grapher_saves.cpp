// The root object's saved page data (slots 35 to 37).
#include "plotmodel/csv_writer.h"
#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

long ModelGrapher::Save(CGraphPage* handle, const CString& file, const CString& xHeading, std::size_t graphs,
                      std::size_t traces) {
    Page* page = store_.FindPage(handle);
    if (page == nullptr) return E_HANDLE;
    if (!page->open) return E_FAIL;
    if (file.IsEmpty()) return E_INVALIDARG;
    std::vector<const Graph*> sources;
    for (const PageItem& item : page->items)
        if (item.kind == PageItem::kGraph && sources.size() < graphs) sources.push_back(store_.GraphOf(item.serial));
    if (sources.empty()) return E_FAIL;
    std::filesystem::path target(file.str());
    if (target.is_relative()) {
        std::error_code error;
        std::filesystem::create_directories(files_.Directory(), error);
        target = files_.Directory() / target;
    }
    std::vector<CsvColumn> columns = TraceColumns(sources, xHeading.str(), graphs > 1, traces);
    return WriteColumnsCsv(columns, target) ? S_OK : E_FAIL;
}

long ModelGrapher::SaveScopeData(CGraphPage* page, const CString& file, const CString& xHeading) {
    return Save(page, file, xHeading, 1, static_cast<std::size_t>(-1));
}

long ModelGrapher::SaveScopeData4ch(CGraphPage* page, const CString& file, const CString& xHeading) {
    return Save(page, file, xHeading, 1, 4);
}

long ModelGrapher::SaveBodeData(CGraphPage* page, const CString& file, const CString& xHeading) {
    return Save(page, file, xHeading, 2, static_cast<std::size_t>(-1));
}

}  // namespace plotmodel
