#include <gtest/gtest.h>

#include <vector>

#include "veltutil/platform/host/strings/arrays.h"

namespace {

class Resistor : public CObject {
    DECLARE_DYNAMIC(Resistor)
};
IMPLEMENT_DYNAMIC(Resistor, CObject)

class Trimmer : public Resistor {};

}  // namespace

TEST(RuntimeClass, AnObjectNamesItsNearestDeclaredClassAndKnowsItsBases) {
    Trimmer trimmer;
    EXPECT_STREQ(trimmer.GetRuntimeClass()->m_lpszClassName, "Resistor");
    EXPECT_TRUE(trimmer.IsKindOf(RUNTIME_CLASS(CObject)));
    CObject plain;
    EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(Resistor)));
}

TEST(Arrays, InsertingPastTheEndGrowsTheArrayWithZeros) {
    CDWordArray rows;
    rows.Add(7);
    rows.InsertAt(3, 9);
    EXPECT_EQ(std::vector<DWORD>(rows.begin(), rows.end()), (std::vector<DWORD>{7, 0, 0, 9}));
    rows.RemoveAt(1, 2);
    EXPECT_EQ(rows.GetUpperBound(), 1);

    Resistor r1;
    CObArray objects;
    objects.Add(&r1);
    objects.SetSize(2);
    EXPECT_EQ(objects[1], nullptr);
}

