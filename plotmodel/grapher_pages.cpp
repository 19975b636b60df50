// The root object's operations on the module and its pages (slots 0 to 10, 46 to 48, 92 to 95).
#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

ModelGrapher::~ModelGrapher() { view_->FlushAll(false); }

void ModelGrapher::ReleaseItems(std::uint64_t serial, Page& page) {
    view_->ItemsReleasing(serial);
    store_.ReleaseItems(page);
}

long ModelGrapher::Init(HWND, int, int, int, int, HWND* child) {
    // The files are the module's window; there is no child window to give back.
    if (child != nullptr) *child = nullptr;
    return S_OK;
}

long ModelGrapher::NewPage(unsigned long id, CGraphPage** page) {
    if (page == nullptr) return E_POINTER;
    Page created;
    created.id = id;
    *page = store_.AddPage(std::move(created));
    // The page's file shows up at once; a folder that cannot be written is reported by the
    // refreshes that follow rather than refusing the page.
    view_->Refresh(ObjectStore::SerialOf(*page), true);
    return S_OK;
}

long ModelGrapher::CreatePage(unsigned long id, CGraphPage** page) { return NewPage(id, page); }
long ModelGrapher::CreatePageExt(unsigned long id, CGraphPage** page) { return NewPage(id, page); }

long ModelGrapher::ClosePage(CGraphPage* handle) {
    long result = EditPage(handle, [](Page& page) {
        page.open = false;
        return S_OK;
    });
    if (result != S_OK) return result;
    std::uint64_t serial = ObjectStore::SerialOf(handle);
    view_->Refresh(serial, true);
    ReleaseItems(serial, *store_.FindPage(handle));
    return S_OK;
}

long ModelGrapher::ClearPage(CGraphPage* handle) {
    long result = EditPage(handle, [&](Page& page) {
        ReleaseItems(ObjectStore::SerialOf(handle), page);
        return S_OK;
    });
    return result == S_OK ? view_->Refresh(ObjectStore::SerialOf(handle), true) : result;
}

long ModelGrapher::ClearAllPages(CString* text) {
    std::string names;
    long result = S_OK;
    for (auto& [serial, page] : store_.Pages()) {
        if (!page.open) continue;
        ReleaseItems(serial, page);
        page.dirty = true;
        if (view_->Refresh(serial, true) != S_OK) result = E_FAIL;
        names += (names.empty() ? "" : "\n") + page.tabName;
    }
    // The text receives the tab names of the pages cleared, one per line.
    if (text != nullptr) *text = CString(names);
    return result;
}

long ModelGrapher::DeletePage(CGraphPage* handle) {
    if (store_.FindPage(handle) == nullptr) return E_HANDLE;
    store_.ErasePage(handle);
    view_->PageErased(ObjectStore::SerialOf(handle));
    return S_OK;
}

long ModelGrapher::SetPageTabName(CGraphPage* page, const char* name) {
    return EditPage(page, [&](Page& p) {
        p.tabName = TextOf(name);
        return S_OK;
    });
}

long ModelGrapher::SetPageTitle(CGraphPage* page, const char* title) {
    return EditPage(page, [&](Page& p) {
        p.title = TextOf(title);
        return S_OK;
    });
}

long ModelGrapher::SetPageTitleFont(CGraphPage* page, int width, int height, const char* faceName) {
    return EditPage(page, [&](Page& p) {
        p.titleFont = FontOf(width, height, faceName);
        return S_OK;
    });
}

long ModelGrapher::SetPageWndPos(CGraphPage* page, HWND, HWND, int x, int y, int cx, int cy, unsigned int) {
    long result = EditPage(page, [&](Page& p) {
        p.windowPosition[0] = x;
        p.windowPosition[1] = y;
        p.windowPosition[2] = cx;
        p.windowPosition[3] = cy;
        return S_OK;
    });
    if (result == S_OK) view_->PagePlaced(ObjectStore::SerialOf(page));
    return result;
}

long ModelGrapher::AttachRightClickGrapherMsg(HWND window, CGraphPage* page) {
    return EditPage(page, [&](Page& p) {
        p.rightClickWindow = window;
        return S_OK;
    });
}

long ModelGrapher::AttachCallbackEvents(CGraphPage* page, CCallbackEvents* events, unsigned int, int, int) {
    return EditPage(page, [&](Page& p) {
        p.callbackEvents = events;
        return S_OK;
    });
}

long ModelGrapher::RefreshPageOf(std::uint64_t page, bool force) { return view_->Refresh(page, force); }

long ModelGrapher::LockShowStatus(int locked) {
    showLocked_ = locked != 0;
    return S_OK;
}

long ModelGrapher::Show(int command) {
    // While the show status is locked the window stays as it is.
    if (showLocked_) return S_FALSE;
    shown_ = command != 0;
    return shown_ ? view_->FlushAll() : S_OK;
}

long ModelGrapher::IsShown(int* shown) {
    if (shown == nullptr) return E_POINTER;
    *shown = shown_ ? 1 : 0;
    return S_OK;
}

}  // namespace plotmodel
