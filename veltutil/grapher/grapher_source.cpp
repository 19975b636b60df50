#include "veltutil/grapher/grapher_source.h"

#include "veltutil/grapher/grapher_page.h"
#include "veltutil/grapher/internal/deleted_pages.h"
#include "veltutil/grapher/internal/module_call.h"

using veltutil::detail::CallModule;

namespace {

// The page identifier that asks the module for a page without handing one back to a page object.
constexpr unsigned long kUnattachedPage = 3;

}  // namespace

CGrapherSource::CGrapherSource(const char* name) : CEventSource(name, "CGrapher") {}

CGrapherSource::~CGrapherSource() { Close(); }

long CGrapherSource::Init(HWND parent, int a, int b, int c, int d, HWND* child) {
    return CallModule(m_pGrapher, [&](CGrapher& g) { return g.Init(parent, a, b, c, d, child); });
}

long CGrapherSource::Create(unsigned long id, CGrapherPage& page) {
    return createPage(&CGrapher::CreatePage, id, page);
}

long CGrapherSource::Create_EXT(unsigned long id, CGrapherPage& page) {
    return createPage(&CGrapher::CreatePageExt, id, page);
}

long CGrapherSource::createPage(CreateOperation operation, unsigned long id, CGrapherPage& page) {
    if (m_pGrapher == nullptr) return E_FAIL;
    CGraphPage* handle = nullptr;
    long result = (m_pGrapher->*operation)(id, &handle);
    if (id == kUnattachedPage) return result;
    // Attached whatever the module answered: a failed create leaves a page that counts as closed.
    page.SetPage(m_pGrapher, handle);
    long font = page.SetCurrentFont(m_Font.first, m_Font.second, m_Font.faceName);
    return font != S_OK ? font : result;
}

long CGrapherSource::SetCurrentFont(int first, int second, const char* faceName) {
    return m_Font.Set(first, second, faceName);
}

long CGrapherSource::Delete(CGrapherPage page) {
    // Recorded before `page`, a copy, is destroyed: neither its destructor nor the caller's
    // page closes the page that the module no longer has.
    if (veltutil::detail::IsPageDeleted(m_pGrapher, page)) return E_FAIL;
    long result = CallModule(m_pGrapher, [&](CGrapher& g) { return g.DeletePage(page); });
    if (result == S_OK) veltutil::detail::RecordPageDeleted(m_pGrapher, page);
    return result;
}

long CGrapherSource::LockShowStatus(int locked) {
    return CallModule(m_pGrapher, [&](CGrapher& g) { return g.LockShowStatus(locked); });
}

long CGrapherSource::Show(int show) {
    return CallModule(m_pGrapher, [&](CGrapher& g) { return g.Show(show != 0 ? 5 : 0); });
}

long CGrapherSource::Close() { return S_OK; }

long CGrapherSource::GetShown(int* shown) {
    return CallModule(m_pGrapher, [&](CGrapher& g) { return g.IsShown(shown); });
}

long CGrapherSource::ClearAllPages(CString* text) {
    return CallModule(m_pGrapher, [&](CGrapher& g) { return g.ClearAllPages(text); });
}
