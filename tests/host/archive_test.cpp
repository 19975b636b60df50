#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/allocation_counter.h"
#include "tests/support/temp_dir.h"
#include "veltutil/platform/host/files/archive.h"
#include "veltutil/platform/host/files/mem_file.h"

namespace {

std::vector<unsigned char> bytesOf(CMemFile& file) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

template <class Write>
std::vector<unsigned char> stored(Write write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 64);
        write(ar);
    }
    return bytesOf(file);
}

// A loading archive over the given bytes, which it reads in place.
struct Loader {
    explicit Loader(std::vector<unsigned char> data)
        : bytes(std::move(data)), file(bytes.data(), static_cast<UINT>(bytes.size())), ar(&file, CArchive::load, 64) {}
    std::vector<unsigned char> bytes;
    CMemFile file;
    CArchive ar;
};

// The cause of the archive exception `act` throws, -1 for none.
template <class Act>
int causeOf(Act act) {
    try {
        act();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return -1;
}

}  // namespace

TEST(Archive, NumbersAreStoredRawLittleEndianInTheirTypesWidth) {
    auto bytes = stored([](CArchive& ar) {
        ar << std::uint8_t{0xAB} << std::int16_t{-2} << std::int32_t{0x01020304} << 1.0f << 2.0 << true
           << std::int64_t{-1};
    });
    EXPECT_EQ(bytes, (std::vector<unsigned char>{0xAB, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F,
                                                0, 0, 0, 0, 0, 0, 0, 0x40, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                0xFF, 0xFF}));
    Loader load(bytes);
    std::tuple<std::uint8_t, std::int16_t, std::int32_t, float, double, bool, std::int64_t> back{};
    std::apply([&](auto&... value) { (load.ar >> ... >> value); }, back);
    EXPECT_EQ(back, std::make_tuple(std::uint8_t{0xAB}, std::int16_t{-2}, 0x01020304, 1.0f, 2.0, true, std::int64_t{-1}));

    Loader odd({0x02});
    bool any = false;
    odd.ar >> any;  // any byte but 0 is true
    EXPECT_TRUE(any);
}

TEST(Archive, StringLengthsTakeOneThreeOrSevenBytes) {
    struct Row { int length; std::vector<unsigned char> prefix; };
    const Row rows[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65534, {0xFF, 0xFE, 0xFF}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.length);
        CString text(std::string(static_cast<std::size_t>(row.length), 'x'));
        auto bytes = stored([&](CArchive& ar) { ar << text << std::uint8_t{0x5A}; });
        ASSERT_EQ(bytes.size(), row.prefix.size() + static_cast<std::size_t>(row.length) + 1);
        EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + static_cast<long>(row.prefix.size())), row.prefix);
        Loader load(bytes);
        CString back;
        std::uint8_t after = 0;
        load.ar >> back >> after;
        EXPECT_EQ(back, text);
        EXPECT_EQ(after, 0x5A);
    }
}

TEST(Archive, LoadingPastTheEndThrowsAndKeepsWhatWasLoaded) {
    struct Row { const char* name; std::vector<unsigned char> bytes; };
    const Row rows[] = {
        {"a double cut short", {0x07, 1, 2, 3}},
        {"a string cut short", {0x07, 0x40, 'a', 'b'}},
        {"a length claiming 4 GB", {0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}},
        {"a length prefix cut short", {0x07, 0xFF, 0x10}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Loader load(row.bytes);
        std::uint8_t first = 0;
        load.ar >> first;
        double number = 42.0;
        CString text = "kept";
        bool loadsNumber = std::string(row.name).starts_with("a double");
        velttest::AllocationCount allocated;
        // A stored length past the data is refused before anything is allocated for it.
        EXPECT_EQ(causeOf([&] {
                      velttest::AllocationLimit limit(1024);
                      if (loadsNumber) load.ar >> number;
                      else load.ar >> text;
                  }),
                  CArchiveException::endOfFile);
        EXPECT_EQ(allocated(), 0);
        EXPECT_EQ(first, 7);
        EXPECT_EQ(number, 42.0);
        EXPECT_EQ(text, "kept");
    }
}

TEST(Archive, UsingAnArchiveAgainstItsModeOrAfterCloseThrows) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    int value = 0;
    EXPECT_EQ(causeOf([&] { storing >> value; }), CArchiveException::writeOnly);
    storing.Close();
    EXPECT_THROW(storing << 1, CArchiveException);
    CArchive loading(&file, CArchive::load);
    EXPECT_EQ(causeOf([&] { loading << 1; }), CArchiveException::readOnly);
    EXPECT_THROW(CArchive(nullptr, CArchive::load), CArchiveException);
}

TEST(Archive, BlocksLargerThanTheBufferPassStraightThroughAndFlushRewindsTheUnreadPart) {
    std::vector<unsigned char> block(10000);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<unsigned char>(i * 7);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 64);
        ar << std::int32_t{5};
        ar.Write(block.data(), static_cast<UINT>(block.size()));
        ar << std::int32_t{6};
    }
    EXPECT_EQ(file.GetLength(), 10008u);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 64);
    std::int32_t before = 0, after = 0;
    std::vector<unsigned char> back(block.size());
    ar >> before;
    EXPECT_EQ(ar.Read(back.data(), static_cast<UINT>(back.size())), back.size());
    ar >> after;
    EXPECT_EQ(back, block);
    EXPECT_EQ(before + after, 11);
    EXPECT_EQ(ar.Read(back.data(), 10), 0u);  // nothing left

    file.Seek(2, CFile::begin);
    CArchive partial(&file, CArchive::load, 64);
    std::uint8_t third = 0;
    partial >> third;
    partial.Flush();  // the file stands right after the byte loaded
    EXPECT_EQ(file.GetPosition(), 3u);
}

TEST(MemFile, GrowsOwnsAndHandsOverItsBlockButNeverTheCallers) {
    CMemFile grown(16);
    std::string text(100, 'g');
    grown.Write(text.data(), 100);
    grown.Seek(110, CFile::begin);
    grown.Write("!", 1);
    EXPECT_EQ(grown.GetLength(), 111u);
    ULONGLONG length = grown.GetLength();
    BYTE* bytes = grown.Detach();
    EXPECT_EQ(grown.GetLength(), 0u);
    EXPECT_EQ(bytes[105], 0);  // the gap reads as zero
    EXPECT_EQ(bytes[110], '!');

    // Attached with no growth: the caller's bytes, read in place, of fixed size.
    CMemFile fixed(bytes, static_cast<UINT>(length));
    char first = 0;
    EXPECT_EQ(fixed.Read(&first, 1), 1u);
    EXPECT_EQ(first, 'g');
    fixed.SeekToEnd();
    EXPECT_THROW(fixed.Write("x", 1), CFileException);
    EXPECT_THROW(fixed.Seek(-1, CFile::begin), CFileException);

    // Attached as room to write in: outgrowing it moves to a block of the file's own.
    BYTE room[4] = {'r', 'r', 'r', 'r'};
    CMemFile roomy(room, sizeof room, 8);
    EXPECT_EQ(roomy.GetLength(), 0u);
    roomy.Write("ab", 2);
    roomy.Write("cdefgh", 6);
    EXPECT_EQ(room[0], 'a');
    EXPECT_EQ(room[2], 'r');  // moved before writing past the caller's block
    BYTE* own = roomy.Detach();
    EXPECT_EQ(std::string(reinterpret_cast<char*>(own), 8), "abcdefgh");
    std::free(own);
    std::free(bytes);
}

TEST(File, WritesReadsAndReportsWhyItCannotOpen) {
    TempDir dir;
    std::string path = dir / "data.bin";
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << CString("on disk") << 3.5;
        ar.Close();
        EXPECT_EQ(file.GetFileName(), "data.bin");
    }
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    CString text;
    ar >> text;
    EXPECT_EQ(text, "on disk");
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead));  // open already

    CFileException error;
    CFile missing;
    EXPECT_FALSE(missing.Open((dir / "none/x.bin").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_THROW(CFile((dir / "none/x.bin").c_str(), CFile::modeRead), CFileException);
    char byte = 0;
    EXPECT_THROW(missing.Read(&byte, 1), CFileException);  // not open

    CFile keep(path.c_str(), CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate);
    EXPECT_EQ(keep.GetLength(), 16u);
    keep.SetLength(4);
    EXPECT_EQ(keep.SeekToEnd(), 4u);
}
