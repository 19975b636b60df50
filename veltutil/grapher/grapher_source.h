#pragma once

#include "veltutil/export.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/grapher/grapher_attrib.h"
#include "veltutil/grapher/grapher_font.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

class CGrapherPage;

// The event source that stands for one connection to the plotting module: it holds the module's
// root object (not owned, never released), the font it gives to every page it opens and the
// plot attributes. Every operation that reaches the module answers E_FAIL without a root object.
class VELTUTIL_API CGrapherSource : public CEventSource {
public:
    explicit CGrapherSource(const char* name = nullptr);
    CGrapherSource(const CGrapherSource& other) = default;
    CGrapherSource& operator=(const CGrapherSource& other) = default;
    virtual ~CGrapherSource();

    virtual long Init(HWND parent, int, int, int, int, HWND* child);
    // Opens a page with the module's identifier id and attaches page to it (identifier 3
    // leaves page alone); the page then takes this source's font.
    virtual long Create(unsigned long id, CGrapherPage& page);
    virtual long Create_EXT(unsigned long id, CGrapherPage& page);
    virtual long SetCurrentFont(int first, int second, const char* faceName);
    // The caller's page keeps its handle and its open flag. Once the module answered S_OK,
    // nothing more is sent for the handle (see CGrapherPage); deleting it again answers E_FAIL.
    virtual long Delete(CGrapherPage page);
    virtual long LockShowStatus(int locked);
    // Any non-zero argument shows the module's window, zero hides it.
    virtual long Show(int show);
    virtual long Close();
    virtual long GetShown(int* shown);
    virtual long ClearAllPages(CString* text);

    void SetGrapher(CGrapher* root) { m_pGrapher = root; }
    CGrapher* GetGrapher() const { return m_pGrapher; }
    operator CGrapher*() const { return m_pGrapher; }
    CGrapherAttrib& GetAttrib() { return m_Attrib; }
    const CGrapherAttrib& GetAttrib() const { return m_Attrib; }
    const CGrapherFont& GetFont() const { return m_Font; }

private:
    using CreateOperation = long (CGrapher::*)(unsigned long, CGraphPage**);
    long createPage(CreateOperation operation, unsigned long id, CGrapherPage& page);

    CGrapher* m_pGrapher = nullptr;
    CGrapherFont m_Font;
    CGrapherAttrib m_Attrib;
};
