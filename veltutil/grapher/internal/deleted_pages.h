#pragma once

class CGrapher;
class CGraphPage;

namespace veltutil::detail {

// The pages that a grapher source had the module delete, by root object and handle. A page is
// passed around by value, and its copies keep the handle: they look here to learn that the
// module's page is gone, so that none of them sends anything more for it. A page attached
// again with the same handle (the module handing out the value once more) starts afresh.
//
// Process-wide and never destroyed, like the plotting sources that fill it: pages of static
// storage duration are closed at any point of static destruction.
bool IsPageDeleted(const CGrapher* root, const CGraphPage* page);
void RecordPageDeleted(const CGrapher* root, const CGraphPage* page);
void ForgetPageDeleted(const CGrapher* root, const CGraphPage* page);

}  // namespace veltutil::detail
