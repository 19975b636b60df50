// Copies of an instrument for sub-circuit instances, made through its stored state.
#include <cstdlib>
#include <memory>

#include "veltutil/instruments/instrument_doc_base.h"
#include "veltutil/instruments/internal/doc_lifetimes.h"
#include "veltutil/platform/host/files/archive.h"
#include "veltutil/platform/host/files/mem_file.h"

namespace {

constexpr UINT kCloneGrowBytes = 1024;
constexpr int kCloneBufferSize = 4096;

struct FreeBytes {
    void operator()(BYTE* bytes) const { std::free(bytes); }
};

// An instrument's complete state as SerializeData stores it.
struct StoredState {
    std::unique_ptr<BYTE, FreeBytes> bytes;
    UINT length = 0;
};

StoredState store(CInstrumentBase& instrument) {
    CMemFile file(kCloneGrowBytes);
    CArchive archive(&file, CArchive::store, kCloneBufferSize);
    instrument.SerializeData(&archive, 0, 0);
    archive.Close();
    StoredState state;
    state.length = static_cast<UINT>(file.GetLength());
    state.bytes.reset(file.Detach());
    return state;
}

void load(CInstrumentBase& instrument, const StoredState& state) {
    // Read in place: the file only refers to the bytes and never frees them.
    CMemFile file(state.bytes.get(), state.length);
    CArchive archive(&file, CArchive::load, kCloneBufferSize);
    instrument.SerializeData(&archive, 0, 0);
    archive.Close();
}

}  // namespace

CInstrumentBase* CInstrumentDocBase::CloneInstrument(const CString& refID, const CString& instanceID) {
    if (CInstrumentBase* copy = FindInstrument(refID, instanceID, 0)) return copy;
    veltutil::detail::DocOperation operation(*lifetimes_);
    CInstrumentBase* source = FindInstrument(refID, CString(), 1);
    if (!source) return nullptr;
    StoredState state = store(*source);
    CInstrumentBase* copy = CreateInstrument(refID, instanceID);
    if (!copy) return nullptr;
    copy->SetIsTopLevelTreeInstance(0);
    try {
        load(*copy, state);
    } catch (...) {
        // Half a state is no copy: the instance gets a fresh one on its next request.
        RemoveInstrument(copy);
        throw;
    }
    // A copy that removed itself meanwhile (from its OnInsert, say) is no copy; the operation
    // kept it in memory until here.
    return lifetimes_->IsRetiring(copy) ? nullptr : copy;
}
