#include "veltutil/grapher/internal/deleted_pages.h"

#include <set>
#include <utility>

namespace veltutil::detail {

namespace {

using PageKey = std::pair<const CGrapher*, const CGraphPage*>;

std::set<PageKey>& deletedPages() {
    static auto* pages = new std::set<PageKey>;
    return *pages;
}

}  // namespace

bool IsPageDeleted(const CGrapher* root, const CGraphPage* page) {
    const std::set<PageKey>& pages = deletedPages();
    return !pages.empty() && pages.contains({root, page});
}

void RecordPageDeleted(const CGrapher* root, const CGraphPage* page) { deletedPages().insert({root, page}); }

void ForgetPageDeleted(const CGrapher* root, const CGraphPage* page) { deletedPages().erase({root, page}); }

}  // namespace veltutil::detail
