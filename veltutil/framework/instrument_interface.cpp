#include "veltutil/framework/instrument_interface.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/internal/command_origin.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/properties/variant.h"

using veltutil::detail::CommandOrigin;

namespace {
constexpr long kLockWaitBudgetMs = 100;
}

CInstrumentInterface::CInstrumentInterface(const char* name, const char* description)
    : CInterfaceBase(name, "ISnapIn", description) {}

CInstrumentInterface::~CInstrumentInterface() = default;

CInstrumentInterface::Type CInstrumentInterface::GetType() { return TypeNone; }

long CInstrumentInterface::Initialize(CGuiFE* frontEnd) {
    if (!frontEnd) return S_FALSE;
    frontEnd_ = frontEnd;
    return S_OK;
}

long CInstrumentInterface::Uninitialize() { return S_OK; }

void CInstrumentInterface::OnCommand(unsigned int) {}

long CInstrumentInterface::LockExecuteCmd(long& key, const char* question) {
    if (lockCount_ == 0) {
        lockCount_ = 1;
    } else {
        if (question && AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return S_FALSE;
        // Only pumping messages lets the holder finish; a front end that cannot yield (none
        // set, or a yield already running further up the stack) would leave us waiting for ever.
        ++lockCount_;
        while (!released_) {
            if (!frontEnd_ || frontEnd_->YieldTime(kLockWaitBudgetMs) != S_OK) {
                --lockCount_;
                return S_FALSE;
            }
        }
    }
    key = lockCount_;
    released_ = 0;
    currentKey_ = key;
    return S_OK;
}

long CInstrumentInterface::UnlockExecuteCmd(long) {
    // An unlock without a lock has nothing to release; letting the count go negative would
    // stop every later command from running.
    if (lockCount_ <= 0) return S_FALSE;
    released_ = 1;
    currentKey_ = 0;
    if (--lockCount_ == 0) return ExecuteCmdNow();
    return S_OK;
}

long CInstrumentInterface::ExecuteCmd(const char* command, long key, CTreeLog*) {
    auto* pending = new SelectableString(key, command ? command : "");
    queue_.append(pending);
    if (veltutil::detail::CurrentCommandOrigin() == CommandOrigin::Window) typedCommands_.push_back(pending);
    if (lockCount_ == 0) return executing_ ? S_OK : ExecuteCmdNow();
    return key == currentKey_ ? ExecuteCmdNow() : S_OK;
}

long CInstrumentInterface::RunGuarded(const char* command) {
    try {
        return ExecuteUnlockedCmd(command, nullptr);
    } catch (...) {
        return E_FAIL;
    }
}

long CInstrumentInterface::ExecuteCmdNow() {
    long result = S_OK;
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        SelectableString* pending = *it;
        if (pending->selection() != currentKey_) continue;
        // Taken off the queue before it runs: the walk's lock keeps it alive meanwhile, and a
        // nested run started from inside the command no longer sees it.
        queue_.remove(it.node());
        auto typed = std::find(typedCommands_.begin(), typedCommands_.end(), pending);
        CommandOrigin origin = typed == typedCommands_.end() ? CommandOrigin::Code : CommandOrigin::Window;
        if (typed != typedCommands_.end()) typedCommands_.erase(typed);
        long wasExecuting = executing_;
        executing_ = 1;
        veltutil::detail::CommandOriginScope scope(origin);
        long answer = RunGuarded(pending->string());
        executing_ = wasExecuting;
        if (answer != S_OK) result = answer;
    }
    return result;
}

ComItem CInstrumentInterface::GetNthItem(ComItem::ItemType, int) { return ComItem(); }

ComItem CInstrumentInterface::GetItem(ComItem::ItemType type, ComItem::NameSource source,
                                      const char* name) {
    for (int n = 0, count = GetNumItems(type); n < count; ++n) {
        ComItem item = GetNthItem(type, n);
        if (item.HasName(source, name)) return item;
    }
    return ComItem();
}

int CInstrumentInterface::GetNumItems(ComItem::ItemType) const { return 0; }

long CInstrumentInterface::GetProperty(long, OrvVariant&, const OrvVariant*, CTreeInstance*) {
    return S_FALSE;
}

long CInstrumentInterface::SetProperty(long, const OrvVariant&, const OrvVariant*,
                                       CTreeInstance*) {
    return S_FALSE;
}

long CInstrumentInterface::ExecuteCmd_Direct(const char* command) { return RunGuarded(command); }

int CInstrumentInterface::IsAllowExecuteCmdNow() { return lockCount_ == 0 && !executing_ ? 1 : 0; }

long CInstrumentInterface::ClearAllPages(CString*) { return S_FALSE; }

int CInstrumentInterface::IsLockExecuteCmd() const { return static_cast<int>(lockCount_); }

long CInstrumentInterface::ExecuteUnlockedCmd(const char*, CTreeLog*) { return S_FALSE; }

CGuiFE& CInstrumentInterface::GetGuiFE() const {
    if (!frontEnd_) {
        std::fputs("CInstrumentInterface::GetGuiFE: the snap-in has no front end before Initialize\n", stderr);
        std::abort();
    }
    return *frontEnd_;
}
