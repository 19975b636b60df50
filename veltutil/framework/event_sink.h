#pragma once

#include "veltutil/export.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/properties/com_item.h"

class CTreeLog;
class CTreeInstance;
class OrvVariant;

// Answers events through one virtual handler. Destroying a sink does not unhook it: whoever
// destroys a sink unregisters it from its sources first.
class VELTUTIL_API CEventSink : public CInterfaceBase {
public:
    CEventSink(const char* name, const char* description);
    CEventSink(const char* name, CGuiFE* context);
    virtual ~CEventSink();

    // The form callers use; subclasses override HandleEventIndirect.
    virtual long HandleEvent(long id, CEventSource* source, const OrvVariant& in, OrvVariant& out,
                             OrvVariant* extra);
    // Default: the event is not handled; it is logged in the attached log when there is one.
    virtual long HandleEventIndirect(CEventSource* source, const CEventSource::EventData* data);
    virtual long AttachCmdLog(CTreeLog* log);
    virtual const char* GetName() const;
    virtual const char* GetFullName() const;
    virtual void SetOwner(const ComItem& owner);
    virtual const ComItem& GetOwner() const;
    virtual long GetProperty(long id, OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);
    virtual long SetProperty(long id, const OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);
    virtual void ResetTreeInstanceRefresh();
    virtual void RefreshTreeInstance(CTreeInstance* instance, const CString& text);
    virtual void CleanupTreeInstances();

protected:
    CTreeLog* GetCmdLog() const { return log_; }

private:
    CTreeLog* log_ = nullptr;
    ComItem owner_;
};
