#include <gtest/gtest.h>

#include "veltutil/framework/os_list.h"

TEST(COSList, RemovalDuringWalksWaitsForTheOutermostToEnd) {
    COSList list;
    for (int i = 0; i < 3; ++i) list.append(new EventInfo{});
    long outer = list.begin_walk();
    long inner = list.begin_walk();
    list.mark_removed(list.front());
    list.end_walk(inner);
    EXPECT_EQ(list.length(), 3);
    list.end_walk(outer);
    EXPECT_EQ(list.length(), 2);

    list.mark_removed(list.front());  // no walk: at once
    EXPECT_EQ(list.length(), 1);
}
