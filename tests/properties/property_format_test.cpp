#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "veltutil/properties/property_format.h"
#include "veltutil/properties/property_list.h"

namespace {

// Joins the pieces a streamed display form arrives in; refuses from piece `refuseAt` on.
struct Collector {
    std::string all;
    std::size_t largest = 0, calls = 0, refuseAt = SIZE_MAX;

    static bool Write(void* context, std::string_view piece) {
        auto* self = static_cast<Collector*>(context);
        if (self->calls++ >= self->refuseAt) return false;
        self->all += piece;
        self->largest = std::max(self->largest, piece.size());
        return true;
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
        EXPECT_EQ(collector.all, formatPropertyList(CPropertyList(CString(row.text)), row.indent, row.crlf).str());
        EXPECT_LT(collector.largest, 128u * 1024) << "a large output (4 MB for the last row) comes in pieces";
    }
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
