#include "veltutil/grapher/grapher_page.h"

#include "veltutil/grapher/grapher_chart.h"
#include "veltutil/grapher/grapher_graph.h"
#include "veltutil/grapher/internal/deleted_pages.h"
#include "veltutil/grapher/internal/module_call.h"
#include "veltutil/grapher/std_grapher_chart.h"
#include "veltutil/grapher/std_grapher_graph.h"

using veltutil::detail::CallModule;

namespace {

// Creates a table on the page and attaches it with `attach`; nothing is attached on failure.
template <class Attach>
long createChart(CGrapher* root, CGraphPage* page, unsigned long id, Attach attach) {
    if (root == nullptr) return E_FAIL;
    CChart* handle = nullptr;
    long result = root->CreateChart(page, id, &handle);
    if (result == S_OK) attach(handle);
    return result;
}

// A new table or graph takes the font of the page it was created on.
template <class Object>
long takeFont(Object& object, const CGrapherFont& font) {
    return object.SetCurrentFont(font.first, font.second, font.faceName);
}

}  // namespace

CGrapherPage::~CGrapherPage() { Close(); }

void CGrapherPage::SetPage(CGrapher* root, CGraphPage* page) {
    m_pGrapher = root;
    m_pPage = page;
    m_nOpened = page != nullptr ? 1 : 0;
    veltutil::detail::ForgetPageDeleted(root, page);
}

CGrapher* CGrapherPage::liveGrapher() const {
    return veltutil::detail::IsPageDeleted(m_pGrapher, m_pPage) ? nullptr : m_pGrapher;
}

long CGrapherPage::SetCurrentFont(int first, int second, const char* faceName) {
    return m_Font.Set(first, second, faceName);
}

long CGrapherPage::Close() {
    if (m_pGrapher == nullptr || m_pPage == nullptr) return S_OK;
    if (veltutil::detail::IsPageDeleted(m_pGrapher, m_pPage)) {
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

long CGrapherPage::Create(unsigned long id, CStdGrapherChart& chart, GrapherDiagramType type) {
    long result = createChart(liveGrapher(), m_pPage, id, [&](CChart* handle) { chart.SetChart(m_pGrapher, type, handle); });
    return result != S_OK ? result : takeFont(chart, m_Font);
}

long CGrapherPage::Create(unsigned long id, CGrapherChart& chart) {
    long result = createChart(liveGrapher(), m_pPage, id, [&](CChart* handle) { chart.SetChart(m_pGrapher, handle); });
    return result != S_OK ? result : takeFont(chart, m_Font);
}

long CGrapherPage::Create(unsigned long id, CStdGrapherGraph& graph, GrapherDiagramType type) {
    CGrapher* root = liveGrapher();
    if (root == nullptr) return E_FAIL;
    auto handleOf = [&graph](int n) -> CGraph* {
        const CGrapherGraph* held = graph.NthGraph(n);
        return held != nullptr ? static_cast<CGraph*>(*held) : nullptr;
    };
    CGraph* first = handleOf(0);
    CGraph* second = handleOf(1);
    long result = root->CreateGraph(m_pPage, id, &first);
    if (result == S_OK && type != DIAGRAM_SINGLE_VALUE) result = root->CreateGraph(m_pPage, id, &second);
    if (result != S_OK) return result;
    graph.SetGraph(root, type, first, second);
    return takeFont(graph, m_Font);
}

long CGrapherPage::Create(unsigned long id, CGrapherGraph& graph) {
    CGrapher* root = liveGrapher();
    if (root == nullptr) return E_FAIL;
    CGraph* handle = graph;
    long result = root->CreateGraph(m_pPage, id, &handle);
    if (result != S_OK) return result;
    graph.SetGraph(root, handle);
    return takeFont(graph, m_Font);
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
