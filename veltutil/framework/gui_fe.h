#pragma once

#include "veltutil/export.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/platform/host/cstring.h"

class OrvVariant;
class CTreeInstance;

// The application's graphical front end: the context through which snap-ins and instruments
// reach the application. The application derives from it and supplies HostQuery and
// HostCommand.
//
// Only the members that the component framework calls are declared so far; their bodies are
// the harmless defaults of a front end that can do nothing yet, and are completed together with
// the rest of the front end.
class VELTUTIL_API CGuiFE : public CInterfaceBase {
public:
    CGuiFE();

    virtual const char* GetName() const;
    virtual const char* GetFullName() const;
    // Hands the thread to the application's message loop for a while. 0 when it did; the
    // default cannot and answers 1.
    virtual long YieldTime(long level);
    // Default: unknown id, value untouched, 1.
    virtual long GetProperty(long id, OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);
    // Default: unknown id, 1.
    virtual long SetProperty(long id, const OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);
    virtual int HostQuery(CString& result, const CString& first, long number,
                          const CString& second) = 0;
    virtual int HostCommand(long number, CString& text) = 0;
};
