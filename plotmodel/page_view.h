#pragma once

#include <cstdint>

// How a module shows its pages: the root object (model_grapher.h) keeps the model and tells its
// view what changed; the view reads the model from the same ObjectStore. The drawing module's
// view is its files (PageOutput); a module with windows puts its own in their place and still
// has the files for export.
//
// Everything is called on the thread that calls the root object.

namespace plotmodel {

class PageView {
public:
    virtual ~PageView() = default;

    // The page changed, or (force) must be shown as it is now: a page was created, closed or
    // cleared, a graph or table closed, Show. S_OK, or E_FAIL when it could not be shown.
    virtual long Refresh(std::uint64_t page, bool force) = 0;
    // Shows every page with changes, as at Show and at the module's unload; with
    // `createFolder` false nothing that has gone away is made again.
    virtual long FlushAll(bool createFolder = true) = 0;
    // The page's graphs and tables are about to be dropped (closing or clearing the page), so
    // a view that shows them takes what it needs now.
    virtual void ItemsReleasing(std::uint64_t page) { (void)page; }
    // The client placed the page's window (SetPageWndPos); a view with windows moves it now.
    virtual void PagePlaced(std::uint64_t page) { (void)page; }
    // The graph left its page, replaced by a new one.
    virtual void GraphDropped(std::uint64_t page, std::uint64_t graph) = 0;
    // The page was deleted and is no longer in the store.
    virtual void PageErased(std::uint64_t page) = 0;
};

}  // namespace plotmodel
