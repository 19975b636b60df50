#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "veltutil/foundation/slist.h"

namespace {

// Counts its own destructions so that a test sees every element freed exactly once.
struct Tracked {
    Tracked(int id, std::vector<int>& deaths) : id(id), deaths(&deaths) {}
    Tracked(const Tracked&) = default;
    ~Tracked() { ++(*deaths)[static_cast<std::size_t>(id)]; }
    int id;
    std::vector<int>* deaths;
};

template <int N>
struct Fixture {
    explicit Fixture(int count) : deaths(static_cast<std::size_t>(count), 0) {
        for (int i = 0; i < count; ++i) {
            elements.push_back(new Tracked(i, deaths));
            list.append(elements.back());
        }
    }
    ~Fixture() {
        if constexpr (N != 0) {
            list.erase_all();
            for (Tracked* element : elements) delete element;
        }
    }
    std::vector<int> ids() const {
        std::vector<int> out;
        for (Tracked* element : list) out.push_back(element->id);
        return out;
    }
    std::vector<int> deaths;
    std::vector<Tracked*> elements;
    SList<Tracked, N> list;
};

// Walks the list and lets `visit` run as a callback on every live element, as event sinks do.
template <int N>
std::vector<int> walk(SList<Tracked, N>& list, const std::function<void(Tracked*)>& visit) {
    std::vector<int> seen;
    for (Tracked* element : list) {
        seen.push_back(element->id);
        visit(element);
    }
    return seen;
}

template <int N>
void removeDuringNestedWalks(Fixture<N>& f) {
    auto& list = f.list;
    std::vector<int> inner;
    std::vector<int> outer = walk(list, [&](Tracked* element) {
        if (element->id != 2) return;
        // Current, next and an earlier element, removed from a nested walk's callback.
        inner = walk(list, [&](Tracked* nested) {
            if (nested->id == 0) {
                EXPECT_EQ(list.remove_value(f.elements[2]), 0);
                EXPECT_EQ(list.remove_value(f.elements[3]), 0);
                EXPECT_EQ(list.remove_value(f.elements[0]), 0);
            }
        });
        EXPECT_EQ(list.length(), 6) << "marked nodes stay linked until the outer walk ends";
        EXPECT_EQ(list.nth(3)->removed, 1);
    });
    EXPECT_EQ(inner, (std::vector<int>{0, 1, 4, 5}));
    EXPECT_EQ(outer, (std::vector<int>{0, 1, 2, 4, 5}));
    EXPECT_EQ(list.length(), 3);
    EXPECT_EQ(f.ids(), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(list.remove_value(f.elements[4]), 1) << "unlocked again";
    EXPECT_EQ(f.ids(), (std::vector<int>{1, 5}));
}

}  // namespace

TEST(SList, OwningListFreesElementsRemovedDuringNestedWalksOnceWhenTheLastWalkEnds) {
    {
        Fixture<0> f(6);
        removeDuringNestedWalks(f);
        EXPECT_EQ(f.deaths, (std::vector<int>{1, 0, 1, 1, 1, 0}));
    }
    std::vector<int> after(3, 0);
    {
        SList<Tracked, 0> list;
        for (int i = 0; i < 3; ++i) list.append(new Tracked(i, after));
        {
            SList<Tracked, 0>::iter first(list);
            SList<Tracked, 0>::iter second(list);
            list.remove(list.front());
            list.remove(list.nth(1));
        }
        EXPECT_EQ(after, (std::vector<int>{1, 1, 0})) << "both head nodes removed in one pass";
        EXPECT_EQ(list.length(), 1);
    }
    EXPECT_EQ(after, (std::vector<int>{1, 1, 1}));
}

TEST(SList, NonOwningListLeavesElementsAliveThroughRemovalAndErase) {
    Fixture<3> f(6);
    removeDuringNestedWalks(f);
    f.list.erase_all();
    EXPECT_TRUE(f.list.is_empty());
    EXPECT_EQ(f.deaths, (std::vector<int>(6, 0)));
}

TEST(VoidList, PositionsAndNullNodes) {
    Fixture<2> f(3);
    auto& list = f.list;
    EXPECT_EQ(list.nth(-5), list.front());
    EXPECT_EQ(list.nth(3), nullptr);
    list.push_back(nullptr);
    EXPECT_EQ(list.length(), 3);

    // insert before a position, and at the back when the position is past the end.
    Tracked extra(0, f.deaths), last(1, f.deaths);
    {
        SList<Tracked, 2>::iter pos(list);
        ++pos;
        list.insert(pos, new SList<Tracked, 2>::SListLink(&extra));
        SList<Tracked, 2>::iter end(list);
        while (!end.at_end()) ++end;
        list.insert(end, new SList<Tracked, 2>::SListLink(&last));
    }
    EXPECT_EQ(f.ids(), (std::vector<int>{0, 0, 1, 2, 1}));
    list.insert(SList<Tracked, 2>::iter(list), new SList<Tracked, 2>::SListLink(&extra));
    VoidList::VoidListLink* inserted = list.front();
    EXPECT_EQ(list.remove(inserted), 1) << "insert must release the lock of its position";
    delete inserted;
    delete list.pop_back();
    delete list.pop_front();
    EXPECT_EQ(f.ids(), (std::vector<int>{0, 1, 2}));
}

TEST(VoidList, ReverseRelinksAndSortMovesElementsButRefusesDuringAWalk) {
    Fixture<2> f(4);
    f.list.reverse();
    EXPECT_EQ(f.list.front()->prev, nullptr);
    EXPECT_EQ(f.list.back()->next, nullptr);
    auto byId = [](void* a, void* b) {
        int x = (*static_cast<Tracked**>(a))->id, y = (*static_cast<Tracked**>(b))->id;
        return x - y;
    };
    VoidList::VoidListLink* firstNode = f.list.front();
    {
        SList<Tracked, 2>::iter walking(f.list);
        EXPECT_EQ(f.list.sort(byId), 0);
        EXPECT_EQ(f.ids(), (std::vector<int>{3, 2, 1, 0}));
    }
    EXPECT_EQ(f.list.sort(byId), 1);
    EXPECT_EQ(f.ids(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(f.list.front(), firstNode) << "nodes keep their places";
}

TEST(CopiableSList, CopiesLiveElementsDeeplyAndSurvivesSelfAssignment) {
    std::vector<int> deaths(3, 0);
    CopiableSList<Tracked> list;
    for (int i = 0; i < 3; ++i) list.append(new Tracked(i, deaths));
    CopiableSList<Tracked> copy;
    {
        SList<Tracked, 0>::iter walking(list);
        list.remove(list.nth(1));
        copy = list;
    }
    EXPECT_NE(*copy.begin(), *list.begin());
    CopiableSList<Tracked>& alias = copy;
    copy = alias;
    CopiableSList<Tracked> second(copy);
    std::vector<int> ids;
    for (Tracked* element : second) ids.push_back(element->id);
    EXPECT_EQ(ids, (std::vector<int>{0, 2}));
    EXPECT_EQ(deaths, (std::vector<int>{0, 1, 0}));
}
