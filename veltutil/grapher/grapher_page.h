#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_font.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

class CGrapherChart;
class CGrapherGraph;
class CStdGrapherChart;
class CStdGrapherGraph;

// The client's handle of one page of the plotting module. A page counts as open while it holds
// a non-null handle given by the module and has not been closed; the handle outlives Close so
// that the page can still be named, and is forgotten by CloseNow once the close succeeded.
//
// Once a source's Delete has had the module delete a page, neither the page nor any copy of it
// sends anything more for that handle, as the module's page is gone. Close then succeeds
// without a call and the page counts as closed; every other operation answers E_FAIL, as
// without a root object. Attaching a page (SetPage) starts afresh.
class VELTUTIL_API CGrapherPage {
public:
    CGrapherPage() = default;
    CGrapherPage(const CGrapherPage&) = default;
    CGrapherPage& operator=(const CGrapherPage&) = default;
    virtual ~CGrapherPage();

    virtual void SetPage(CGrapher* root, CGraphPage* page);
    virtual int IsOpened() const { return m_nOpened; }
    virtual CGrapher* GetGrapher() const { return m_pGrapher; }
    virtual long SetCurrentFont(int first, int second, const char* faceName);
    virtual long Close();
    virtual long CloseNow();
    virtual long Clear();
    virtual long SetPageTabname(const char* name);
    virtual long SetTitle(const char* title);
    virtual long SetPageTitleFont();
    // Create a table or graph on this page with the module's identifier id and attach the object
    // to it; the object then takes this page's font. A module failure is answered at once and
    // leaves the object as it was. A graph is offered its current handle to reuse; a standard
    // graph of a non-zero type gets a second module graph for its second graph.
    virtual long Create(unsigned long id, CStdGrapherChart& chart, GrapherDiagramType type);
    virtual long Create(unsigned long id, CGrapherChart& chart);
    virtual long Create(unsigned long id, CStdGrapherGraph& graph, GrapherDiagramType type);
    virtual long Create(unsigned long id, CGrapherGraph& graph);
    virtual long SetPageWndPos(HWND, HWND, int, int, int, int, unsigned int flags);
    virtual long AttachCallbackEvents(CCallbackEvents* events, unsigned int, int, int);
    virtual long AttachRightClickGrapherMsg(HWND window);
    virtual long SaveScopeData(const CString&, const CString&);
    virtual long SaveScopeData_4ch(const CString&, const CString&);
    virtual long SaveBodeData(const CString&, const CString&);

    operator CGraphPage*() const { return m_pPage; }
    const CGrapherFont& GetFont() const { return m_Font; }

private:
    // The root object to send to: none once the module's page is deleted.
    CGrapher* liveGrapher() const;

    CGrapher* m_pGrapher = nullptr;
    CGraphPage* m_pPage = nullptr;
    CGrapherFont m_Font;
    int m_nOpened = 0;
};
