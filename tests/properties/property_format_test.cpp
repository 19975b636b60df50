#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "veltutil/properties/property_format.h"
#include "veltutil/properties/property_list.h"

namespace {

// Collects the pieces a streamed display form arrives in; refuses from piece `refuseAt` on.
struct Collector {
    std::vector<std::string> pieces;
    std::size_t refuseAt = SIZE_MAX;
    std::size_t calls = 0;

    static bool Write(void* context, std::string_view piece) {
        auto* self = static_cast<Collector*>(context);
        if (self->calls++ >= self->refuseAt) return false;
        self->pieces.emplace_back(piece);
        return true;
    }
    std::string Joined() const {
        std::string all;
        for (const std::string& piece : pieces) all += piece;
        return all;
    }
};

std::string deepNest(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "a:list{n:long{" + std::to_string(i) + "}\n";
    for (int i = 0; i < depth; ++i) text += "}\nb:string{after}\n";
    return text;
}

}  // namespace

TEST(PropertyFormat, StreamedTextShowsWhatTheParsedListShows) {
    struct Row {
        std::string text;
        int indent, crlf;
    } rows[] = {
        {"Name:string{R1}\nPins:long[]{-:-{1}\n-:-{2}\n}\nSub:list{On:bool{1}\n}\n", 0, 0},
        {"Sub:list{On:bool{1}\nIn:list{}\n}\nx:long{2}\n", 3, 1},
        {"\n  a:long{1}\r\n\tb : list {c:long{2}}  junk d:double{1}", -4, 0},
        {"a:long{1}\n:long{2}\nc:long{3}\n", 0, 0},            // ends at the first blank label
        {"a:long{1}\nb:list{c:long{2}\n", 0, 0},               // ends at unmatched braces
        {"a:list{b:list{:x{1}\nc:long{2}}\nd:long{3}}\n", 0, 0},  // nested list ends early
        {"x{y}z:long{1}\n", 0, 0},
        {"", 0, 0},
        {deepNest(3000), 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 60));
        Collector collector;
        EXPECT_EQ(formatPropertyListText(CString(row.text), row.indent, row.crlf, Collector::Write, &collector), 1);
        EXPECT_EQ(collector.Joined(), formatPropertyList(CPropertyList(CString(row.text)), row.indent, row.crlf).str());
    }
}

TEST(PropertyFormat, LargeOutputArrivesInBoundedPieces) {
    Collector collector;
    ASSERT_EQ(formatPropertyListText(CString(deepNest(3000)), 0, 0, Collector::Write, &collector), 1);
    ASSERT_GT(collector.Joined().size(), 4000000u);
    std::size_t largest = 0;
    for (const std::string& piece : collector.pieces) largest = std::max(largest, piece.size());
    EXPECT_LT(largest, 128u * 1024);
}

TEST(PropertyFormat, ARefusedPieceEndsTheStream) {
    Collector collector;
    collector.refuseAt = 2;
    EXPECT_EQ(formatPropertyListText(CString(deepNest(3000)), 0, 0, Collector::Write, &collector), 0);
    EXPECT_EQ(collector.calls, 3u);

    Collector last;  // a refusal of the final, short piece counts too
    last.refuseAt = 0;
    EXPECT_EQ(formatPropertyListText(CString("a:long{1}\n"), 0, 0, Collector::Write, &last), 0);
    EXPECT_EQ(last.calls, 1u);
}
