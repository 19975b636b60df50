#include <gtest/gtest.h>

#include <string>

#include "veltutil/properties/property_check.h"
#include "veltutil/properties/property_list.h"

namespace {

std::string nest(long depth, bool closed) {
    std::string text;
    for (long i = 0; i < depth; ++i) text += "a:list{";
    if (closed) {
        for (long i = 0; i < depth; ++i) text += "}\n";
    }
    return text;
}

// The same tree as nest(depth, true), built as objects without copying (linear time).
CPropertyList objectNest(long depth) {
    CPropertyList inner;
    for (long i = 0; i < depth; ++i) {
        CPropertyList outer;
        outer.AddItem(CPropertyItem("a", std::move(inner)));
        inner = std::move(outer);
    }
    return inner;
}

CPropertyListCheck check(const char* text) { return checkPropertyList(CString(text)); }

}  // namespace

TEST(PropertyRobustness, AMillionNestedListsAreReadWrittenCopiedAndFreedWithoutRecursion) {
    const long depth = 1000000;
    CString text(nest(depth, true));

    CPropertyList parsed(text);
    ASSERT_EQ(parsed.GetCount(), 1);
    EXPECT_EQ(parsed.GetList(), text);
    EXPECT_EQ(checkPropertyList(text).problem, CPropertyListCheck::NONE);
    EXPECT_EQ(checkPropertyList(text).items, 1);

    CPropertyList objects = objectNest(depth);
    EXPECT_EQ(objects.GetList(), text);
    CPropertyList copy(objects);
    EXPECT_EQ(copy.GetCount(), 1);

    CString truncated(nest(depth, false));
    EXPECT_TRUE(CPropertyList(truncated).IsEmpty());
    CPropertyListCheck unclosed = checkPropertyList(truncated);
    EXPECT_EQ(unclosed.problem, CPropertyListCheck::UNCLOSED_BRACE);
    EXPECT_EQ(unclosed.offset, 6);
}

TEST(PropertyRobustness, CheckFindsWhereAndWhyReadingStops) {
    CPropertyListCheck complete = check("a:long{1}\nb:list{c:string{x\\(}\n}\n\n");
    EXPECT_EQ(complete.problem, CPropertyListCheck::NONE);
    EXPECT_EQ(complete.items, 2);

    struct Case {
        const char* text;
        CPropertyListCheck::Problem problem;
        long offset, line;
    } cases[] = {
        {"a:long{1}\nb:long{2", CPropertyListCheck::UNCLOSED_BRACE, 16, 2},
        {"a:list{b:long{1}\n", CPropertyListCheck::UNCLOSED_BRACE, 6, 1},
        {"a:long{1}}\n", CPropertyListCheck::UNOPENED_BRACE, 9, 1},
        {"a:long{1}\n:long{2}\n", CPropertyListCheck::MISSING_LABEL, 10, 2},
        {"a:list{x:long{1}\n :bool{1}\n}\n", CPropertyListCheck::MISSING_LABEL, 18, 2},
        {"a:long{1} junk\nb:long{2}\n", CPropertyListCheck::STRAY_TEXT, 10, 1},
        {"a:long{1}\ntrailing words", CPropertyListCheck::STRAY_TEXT, 10, 2},
        {"a{1}\n", CPropertyListCheck::MISSING_COLON, 0, 1},
        {"a:long}\n", CPropertyListCheck::UNOPENED_BRACE, 6, 1},
    };
    for (const Case& c : cases) {
        CPropertyListCheck result = check(c.text);
        EXPECT_EQ(result.problem, c.problem) << c.text;
        EXPECT_EQ(result.offset, c.offset) << c.text;
        EXPECT_EQ(result.line, c.line) << c.text;
        EXPECT_STRNE(result.Describe(), "complete");
    }
    EXPECT_EQ(check("a:long{1}\nb:long{2").items, 1);
}
