#pragma once

#include <vector>

#include "veltutil/export.h"
#include "veltutil/foundation/selectable_string.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/properties/com_item.h"

class CGuiFE;
class CTreeLog;
class CTreeInstance;
class OrvVariant;

// Base of every snap-in: a type, the handshake with the front end, and a command queue with a
// lock that lets one client run a series of commands while everyone else's commands wait. The
// lock is a re-entrancy protocol across message pumping on the one user-interface thread, not a
// thread lock. Subclasses interpret commands in ExecuteUnlockedCmd.
class VELTUTIL_API CInstrumentInterface : public CInterfaceBase {
public:
    enum Type {
        TypeNone = 0,
        TypeSimulator = 1,
        TypeInstrumentAgency = 2,
        TypeInstrumentManager = 3,
    };

    CInstrumentInterface(const char* name, const char* description);
    CInstrumentInterface(const CInstrumentInterface&) = delete;
    CInstrumentInterface& operator=(const CInstrumentInterface&) = delete;
    ~CInstrumentInterface();

    virtual Type GetType();
    virtual long Initialize(CGuiFE* frontEnd);
    virtual long Uninitialize();
    virtual void OnCommand(unsigned int id);
    // Takes the command lock, asking `question` (Yes/No) first when someone else holds it, and
    // then waiting through the front end's YieldTime. 1 when refused: the question was not
    // answered Yes, or the front end cannot yield so the wait could never end.
    virtual long LockExecuteCmd(long& key, const char* question);
    virtual long UnlockExecuteCmd(long key);
    virtual long ExecuteCmd(const char* command, long key, CTreeLog* log);
    virtual ComItem GetNthItem(ComItem::ItemType type, int n);
    virtual ComItem GetItem(ComItem::ItemType type, ComItem::NameSource source, const char* name);
    virtual int GetNumItems(ComItem::ItemType type) const;
    virtual long GetProperty(long id, OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);
    virtual long SetProperty(long id, const OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);
    virtual long ExecuteCmd_Direct(const char* command);
    virtual int IsAllowExecuteCmdNow();
    virtual long ClearAllPages(CString* text);
    virtual int IsLockExecuteCmd() const;

    // The front end given to Initialize. There is no front end to refer to before that, so a
    // call then stops the program with a message instead of handing out a null reference.
    CGuiFE& GetGuiFE() const;

protected:
    virtual long ExecuteUnlockedCmd(const char* command, CTreeLog* log);

private:
    long ExecuteCmdNow();
    long RunGuarded(const char* command);

    CGuiFE* frontEnd_ = nullptr;
    // Each pending command: the lock key as its selection, the command as its text.
    SelectableStringList queue_;
    // The pending commands that a person typed (framework/internal/command_origin.h).
    std::vector<const SelectableString*> typedCommands_;
    long lockCount_ = 0;
    long executing_ = 0;
    long released_ = 1;
    long currentKey_ = 0;
};
