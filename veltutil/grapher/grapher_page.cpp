#include "veltutil/grapher/grapher_page.h"

#include "veltutil/grapher/internal/module_call.h"

using veltutil::detail::CallModule;

CGrapherPage::~CGrapherPage() { Close(); }

void CGrapherPage::SetPage(CGrapher* root, CGraphPage* page) {
    m_pGrapher = root;
    m_pPage = page;
    m_nOpened = page != nullptr ? 1 : 0;
    m_pHandleDeleted = page != nullptr ? std::make_shared<bool>(false) : nullptr;
}

void CGrapherPage::markHandleDeleted() {
    if (m_pHandleDeleted != nullptr) *m_pHandleDeleted = true;
}

long CGrapherPage::SetCurrentFont(int first, int second, const char* faceName) {
    return m_Font.Set(first, second, faceName);
}

long CGrapherPage::Close() {
    if (m_pGrapher == nullptr || m_pPage == nullptr) return S_OK;
    if (handleDeleted()) {
        m_nOpened = 0;
        return S_OK;
    }
    long result = m_pGrapher->ClosePage(m_pPage);
    if (result == S_OK) m_nOpened = 0;
    return result;
}

long CGrapherPage::CloseNow() {
    long result = Close();
    if (result == S_OK) m_pPage = nullptr;
    return result;
}

long CGrapherPage::Clear() {
    return CallModule(liveGrapher(), [this](CGrapher& g) { return g.ClearPage(m_pPage); });
}

long CGrapherPage::SetPageTabname(const char* name) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.SetPageTabName(m_pPage, name); });
}

long CGrapherPage::SetTitle(const char* title) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.SetPageTitle(m_pPage, title); });
}

long CGrapherPage::SetPageTitleFont() {
    return CallModule(liveGrapher(), [this](CGrapher& g) {
        return g.SetPageTitleFont(m_pPage, m_Font.first, m_Font.second, m_Font.faceName);
    });
}

long CGrapherPage::SetPageWndPos(HWND a, HWND b, int x, int y, int cx, int cy, unsigned int flags) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.SetPageWndPos(m_pPage, a, b, x, y, cx, cy, flags); });
}

long CGrapherPage::AttachCallbackEvents(CCallbackEvents* events, unsigned int a, int b, int c) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.AttachCallbackEvents(m_pPage, events, a, b, c); });
}

long CGrapherPage::AttachRightClickGrapherMsg(HWND window) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.AttachRightClickGrapherMsg(window, m_pPage); });
}

long CGrapherPage::SaveScopeData(const CString& a, const CString& b) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.SaveScopeData(m_pPage, a, b); });
}

long CGrapherPage::SaveScopeData_4ch(const CString& a, const CString& b) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.SaveScopeData4ch(m_pPage, a, b); });
}

long CGrapherPage::SaveBodeData(const CString& a, const CString& b) {
    return CallModule(liveGrapher(), [&](CGrapher& g) { return g.SaveBodeData(m_pPage, a, b); });
}
