// Any bytes as the stored state of a test instrument whose data has a section nested in a
// section (a scope) or a plain one (a meter). The first byte picks the way in: straight
// through SerializeData, or the "Serialize" command of the document, which for a sub-circuit
// instance first makes the copy. Loading must end in one of the two exceptions the interface
// allows (CString for a wrong marker, CArchiveException for data that ends early) or succeed;
// whatever loaded must store and load again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/instruments/test_instruments.h"
#include "veltutil/platform/host/files/mem_file.h"

namespace {

std::vector<unsigned char> storedState(CInstrumentBase& instrument) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        instrument.SerializeData(&ar, 0, 0);
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned way = data[0] % 4;
    // A copy of exactly the input's size, so that reading past it is caught.
    std::vector<unsigned char> bytes(data + 1, data + size);
    velttest::TestDoc doc;
    const char* refID = way % 2 ? "XMM1" : "XSC1";
    doc.CreateInstrument(refID, "");
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    std::string target = std::string(refID) + (way >= 2 ? "_[]_07" : "");
    try {
        doc.ExecuteCmd(("Serialize " + target + " " + std::to_string(reinterpret_cast<long>(&ar)) + " 0 0").c_str());
    } catch (const CString&) {
        return 0;
    } catch (const CArchiveException&) {
        return 0;
    }
    CInstrumentBase* loaded = way >= 2 ? doc.FindInstrument(refID, "7", 0) : doc.FindInstrument(refID, "", 1);
    if (!loaded) __builtin_trap();
    std::vector<unsigned char> once = storedState(*loaded);
    CMemFile again(once.data(), static_cast<UINT>(once.size()));
    CArchive reload(&again, CArchive::load);
    CInstrumentBase* other = doc.CreateInstrument(way % 2 ? "XMM2" : "XSC2", "");
    other->SerializeData(&reload, 0, 0);
    if (storedState(*other) != once) __builtin_trap();
    return 0;
}
