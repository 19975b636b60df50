#pragma once

#include "veltutil/export.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/framework/plotting_modules.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/properties/com_item.h"

class CCmdLog;
class CEventSink;
class CSnapInContainer;
class CTreeInstance;
class CWindowsMessageProcessing;
class OrvVariant;

// The application's graphical front end: the one context through which snap-ins and
// instruments reach the application (items and snap-ins, yielding during long simulations,
// the status bar, the two standard logs, the plotting module). The application derives from
// it, supplies HostQuery and HostCommand, and returns its message-processing object. All of it
// runs on the user-interface thread except the tone worker.
class VELTUTIL_API CGuiFE : public CInterfaceBase {
public:
    CGuiFE();
    // A copy shares the container but owns no logs and no loaded modules of its own.
    CGuiFE(const CGuiFE& other);
    CGuiFE& operator=(const CGuiFE& other);
    // Unloads what Uninitialize left loaded and stops the tone, waiting for its worker.
    ~CGuiFE();

    virtual const char* GetName() const;
    virtual const char* GetFullName() const;
    // Hands the thread to the message loop; 0 when it did, 1 without a message-processing
    // object, when that threw, or when called from inside a yield (yields never nest).
    virtual long YieldTime(long level);
    virtual void SimTimeBegin();
    virtual unsigned long SimTimeIdledAmount();
    virtual void SimTimeEnd();
    // Shows text in the application's status bar; the pane is ignored.
    virtual void SetStatusText(int pane, const char* text);
    virtual long Resimulate(OrvVariant& result, int, bool);
    virtual int IsAnalysisEnabled() const;
    virtual long Register(const ComItem& item) const;
    virtual long Unregister(const ComItem& item) const;
    virtual ComItem GetNthItem(ComItem::ItemType type, int n);
    virtual ComItem GetItem(ComItem::ItemType type, ComItem::NameSource source, const char* name);
    virtual int GetNumItems(ComItem::ItemType type) const;
    // Command logs (owned by the caller) and the plotting sources 0 and 1, loading the plotting
    // module on the first request.
    virtual ComItem NewComItem(const char* name, ComItem::ItemType type, long index);
    // n = -1 the simulator, n = -2 the instrument agency.
    virtual CInstrumentInterface* GetNthSnapIn(int n) const;
    virtual int NumberOfSnapIns() const;
    virtual CInstrumentInterface* GetSnapIn(CInstrumentInterface::Type type, ComItem::NameSource source,
                                            const char* name) const;
    virtual long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance);
    // 10053 starts a tone of the frequency in value, 10054 stops it.
    virtual long SetProperty(long id, const OrvVariant& value, const OrvVariant* in, CTreeInstance* instance);
    virtual CWindowsMessageProcessing* GetMessageProcessing();
    virtual CEventSink* NewInstrument(const char*, const char*);
    virtual CInstrumentInterface* FindComUtilSnapIn();
    // Non-zero when result holds the answer.
    virtual int HostQuery(CString& result, const CString& first, long number, const CString& second) = 0;
    // Non-zero when the command was carried out.
    virtual int HostCommand(long number, CString& text) = 0;
    virtual long InformEvent(long id, OrvVariant& value, const OrvVariant* in);

    // Takes the container and creates and registers the two standard logs; only the first call
    // with a container does anything.
    void Initialize(CSnapInContainer* container);
    // Unregisters and destroys the logs and unloads the plotting modules; the container stays.
    void Uninitialize();
    CSnapInContainer* GetSnapInContainer() const { return m_pContainer; }
    CEventSink* FindInstrument(const char* managerName, const char* instrumentName);
    CEventSink* FindInstrument(const char* instrumentName);

protected:
    void SetupCmdLogs();

private:
    ComItem newGrapherItem(const char* name, long index);
    void releaseModules();
    void destroyLog(CCmdLog*& log);

    CSnapInContainer* m_pContainer = nullptr;
    veltutil::detail::PlottingModuleRecord m_Modules[2];
    CCmdLog* m_pDebugLog = nullptr;
    CCmdLog* m_pErrorLog = nullptr;
    bool m_bInYield = false;
};
