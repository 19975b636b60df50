#pragma once

#include <vector>

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"
#include "veltutil/platform/host/windows/wnd.h"
#include "veltutil/properties/com_item.h"

class CEventSource;
class CGuiFE;
class CGuiFE_EventSink;
class CInstrumentInterface;

namespace veltutil::detail {
class OwnedEventSource;
}

// The application's registry of snap-ins and of registered component items. It neither creates
// nor destroys snap-ins: the application makes them, adds them, and destroys them after
// Clear_Snapins_and_GuIF. The first request for the simulator hooks the front end's own sink to
// the simulator's pause query and analysis begin and end events.
class VELTUTIL_API CSnapInContainer {
public:
    enum CursorType : int { NoCursor = 0, DataCursor = 1 };

    CSnapInContainer();
    // A copy is a second view of the same application: it lists the same snap-ins and holds its
    // own reference on the same front end, with its own registry (empty), front-end sink and
    // source, and hooks nothing yet. Tearing the front end and the snap-ins down stays with the
    // container the application built: clearing or destroying a copy unhooks its own sink and
    // drops its references, and uninitialises nothing. Assignment first lets go of what the
    // target held, as its destructor would, and then makes it such a copy.
    CSnapInContainer(const CSnapInContainer& other);
    CSnapInContainer& operator=(const CSnapInContainer& other);
    ~CSnapInContainer();

    virtual CInstrumentInterface* GetNthSnapIn(int n) const;
    virtual int NumberOfSnapIns() const;
    virtual CInstrumentInterface* GetSimulator() const;
    virtual CInstrumentInterface* GetInstrumentAgency() const;
    // Keeps a counted copy of item; the same item twice gives two entries.
    virtual long Register(const ComItem& item) const;
    // Destroys the first entry naming the same object as item; 1 when there is none.
    virtual long Unregister(const ComItem& item) const;
    virtual ComItem GetNthItem(int n);
    virtual int GetNumItems() const;

    // Takes a reference on frontEnd, which must not be null, and creates the front-end sink
    // and source, both named "GuiFE".
    int Create(CGuiFE* frontEnd);
    bool AddSnapin(CInstrumentInterface* snapIn);
    CGuiFE_EventSink* GetEventSink() const { return m_pSink; }
    CEventSource* GetEventSource() const;
    // The cursor that SetCursorType(DataCursor) makes current; the application provides it.
    void SetDataCursor(HICON cursor) { m_hDataCursor = cursor; }
    void SetCursorType(CursorType type);
    HICON GetDataCursor() const { return m_hCurrentCursor; }
    // Empty when the application may close; otherwise the reason it may not (a simulation is
    // running inside a yield).
    CString CanCloseApp();
    // Unhooks the front end's sink, uninitialises the front end and every snap-in (not in a
    // copy), forgets the snap-ins and releases the front end.
    void Clear_Snapins_and_GuIF();

protected:
    virtual CGuiFE* GetSnapInContext(int);
    void UnregisterAll() const;

private:
    void copyFrom(const CSnapInContainer& other);
    void unhookSimulator();
    void destroyOwned();

    std::vector<CInstrumentInterface*> m_SnapIns;
    mutable CInstrumentInterface* m_pSimulator = nullptr;
    mutable CInstrumentInterface* m_pInstrumentAgency = nullptr;
    RegisteredItemMap* m_pRegistry;
    CGuiFE* m_pFrontEnd = nullptr;
    CGuiFE_EventSink* m_pSink = nullptr;
    veltutil::detail::OwnedEventSource* m_pSource = nullptr;
    mutable CEventSource* m_pSimulatorSource = nullptr;
    HICON m_hCurrentCursor = nullptr;
    HICON m_hDataCursor = nullptr;
    bool m_bCopy = false;
};
