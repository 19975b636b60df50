#include "instrument_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "file_path.h"
#include "velt_instrument.h"

namespace veltsim {

namespace {

constexpr const char* kHeader = "veltsim instruments";
constexpr std::int32_t kVersion = 1;

}  // namespace

std::string InstrumentFileOf(const std::string& deck) { return deck + ".instruments"; }

namespace {

void write(InstrumentDoc& doc, CFile& out) {
    CArchive archive(&out, CArchive::store);
    const std::vector<VeltInstrument*> instruments = doc.TopLevelInstruments();
    archive << CString(kHeader) << kVersion << static_cast<std::int32_t>(instruments.size());
    for (VeltInstrument* instrument : instruments) {
        archive << CString(instrument->GetName());
        instrument->SerializeData(&archive, 0, 0);
    }
    archive.Close();
}

}  // namespace

bool SaveInstruments(InstrumentDoc& doc, const std::string& file, std::string& error) {
    // The file layer would call it a denied access.
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        error = std::strerror(EISDIR);
        return false;
    }
    return CatchDataFaults(
        [&] {
            CFile out(file.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
            write(doc, out);
            out.Close();
        },
        error);
}

std::string InstrumentBytes(InstrumentDoc& doc) {
    CMemFile memory;
    std::string bytes;
    std::string ignored;
    // Storing into memory cannot fail on a file; an instrument's own fault leaves the bytes as
    // far as they got, which differ from any complete state.
    CatchDataFaults([&] { write(doc, memory); }, ignored);
    bytes.resize(static_cast<std::size_t>(memory.GetLength()));
    memory.SeekToBegin();
    memory.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

bool RestoreInstruments(InstrumentDoc& doc, const std::string& file, int& restored, std::string& error) {
    restored = 0;
    error = UnreadableReason(file);
    if (!error.empty()) return false;
    return CatchDataFaults(
        [&] {
            CFile in(file.c_str(), CFile::modeRead | CFile::typeBinary);
            CArchive archive(&in, CArchive::load);
            CString header;
            std::int32_t version = 0;
            std::int32_t count = 0;
            archive >> header >> version >> count;
            if (header != kHeader || version != kVersion) {
                throw CString(("not a veltsim instruments file of version " + std::to_string(kVersion)).c_str());
            }
            for (std::int32_t i = 0; i < count; ++i) {
                CString refID;
                archive >> refID;
                CInstrumentBase* instrument = doc.FindInstrument(refID, "", 1);
                if (!instrument) instrument = doc.CreateInstrument(refID, "");
                if (!instrument) throw CString("cannot make " + refID + " again");
                instrument->SerializeData(&archive, 0, 0);
                ++restored;
            }
        },
        error);
}

}  // namespace veltsim
