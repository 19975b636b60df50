#include "plotmodel/minmax_pyramid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

using plotmodel::MinMaxPyramid;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Samples {
    std::vector<double> x, y;

    explicit Samples(std::size_t count, unsigned seed = 1) {
        std::mt19937 random(seed);
        std::normal_distribution<double> noise;
        for (std::size_t i = 0; i < count; ++i) {
            x.push_back(static_cast<double>(i));
            y.push_back(noise(random));
        }
    }
};

// The lowest and highest finite values of [begin, end) by a plain scan.
std::pair<double, double> scanned(const std::vector<double>& ys, std::size_t begin, std::size_t end) {
    double lo = kInf, hi = -kInf;
    for (std::size_t i = begin; i < end; ++i)
        if (std::isfinite(ys[i])) lo = std::min(lo, ys[i]), hi = std::max(hi, ys[i]);
    return {lo, hi};
}

void expectFindsAsScan(const MinMaxPyramid& pyramid, const std::vector<double>& ys, std::size_t begin, std::size_t end) {
    MinMaxPyramid::Extremes found = pyramid.Find(ys.data(), begin, end);
    auto [lo, hi] = scanned(ys, begin, end);
    if (lo > hi) {
        EXPECT_EQ(found.min, MinMaxPyramid::kNone) << begin << ".." << end;
        EXPECT_EQ(found.max, MinMaxPyramid::kNone) << begin << ".." << end;
        return;
    }
    ASSERT_NE(found.min, MinMaxPyramid::kNone) << begin << ".." << end;
    EXPECT_GE(found.min, begin);
    EXPECT_LT(found.max, end);
    EXPECT_EQ(ys[found.min], lo) << begin << ".." << end;
    EXPECT_EQ(ys[found.max], hi) << begin << ".." << end;
}

TEST(MinMaxPyramid, FindsWhatAScanFindsInAnyRange) {
    Samples s(100'003);
    MinMaxPyramid pyramid;
    pyramid.Update(s.x.data(), s.y.data(), s.x.size());
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::size_t a = random() % (s.x.size() + 1), b = random() % (s.x.size() + 1);
        expectFindsAsScan(pyramid, s.y, std::min(a, b), std::max(a, b));
    }
    // Short ranges, within a block and across one boundary.
    for (std::size_t begin = 0; begin < 40; ++begin)
        for (std::size_t end = begin; end < 80; ++end) expectFindsAsScan(pyramid, s.y, begin, end);
    expectFindsAsScan(pyramid, s.y, 0, s.x.size());
}

TEST(MinMaxPyramid, KeepsAOneSampleSpikeAtEveryLevel) {
    Samples s(1 << 20);
    for (std::size_t spike : {std::size_t{0}, std::size_t{12345}, s.x.size() - 1}) {
        std::vector<double> y = s.y;
        y[spike] = 100;
        y[spike == 0 ? 1 : spike - 1] = -100;
        MinMaxPyramid pyramid;
        pyramid.Update(s.x.data(), y.data(), y.size());
        // Ranges of every power-of-two width that hold the spike, aligned and not.
        for (std::size_t width = 1; width <= y.size(); width *= 2)
            for (std::size_t shift : {std::size_t{0}, width / 3}) {
                std::size_t begin = spike >= shift ? spike - shift : 0, end = std::min(begin + width, y.size());
                if (spike >= end) continue;
                EXPECT_EQ(pyramid.Find(y.data(), begin, end).max, spike) << "width " << width;
            }
    }
}

TEST(MinMaxPyramid, GapsAreNeitherExtremesNorInTheRanges) {
    std::vector<double> x{0, 1, 2, 3, 4, 5, 6}, y{kNaN, 2, kInf, -kInf, 0.5, 0, kNaN};
    MinMaxPyramid pyramid;
    pyramid.Update(x.data(), y.data(), y.size());
    MinMaxPyramid::Extremes all = pyramid.Find(y.data(), 0, y.size());
    EXPECT_EQ(all.min, 5u);
    EXPECT_EQ(all.max, 1u);
    EXPECT_EQ(pyramid.Find(y.data(), 6, 7).max, MinMaxPyramid::kNone);
    EXPECT_EQ(pyramid.YRange().lo, 0);
    EXPECT_EQ(pyramid.YRange().hi, 2);
    EXPECT_EQ(pyramid.LeastPositiveY(), 0.5);
    EXPECT_EQ(pyramid.XRange().hi, 6);

    std::vector<double> none{kNaN, kInf};
    MinMaxPyramid empty;
    empty.Update(x.data(), none.data(), none.size());
    EXPECT_GT(empty.YRange().lo, empty.YRange().hi);
    EXPECT_TRUE(std::isnan(empty.LeastPositiveY()));
}

TEST(MinMaxPyramid, AppendingInPiecesGivesWhatOneUpdateGives) {
    Samples s(50'000);
    MinMaxPyramid whole, pieces;
    whole.Update(s.x.data(), s.y.data(), s.x.size());
    std::mt19937 random(3);
    for (std::size_t count = 0; count < s.x.size();) {
        count = std::min(s.x.size(), count + 1 + random() % 700);
        pieces.Update(s.x.data(), s.y.data(), count);
        std::size_t a = random() % (count + 1), b = random() % (count + 1);
        expectFindsAsScan(pieces, s.y, std::min(a, b), std::max(a, b));
    }
    expectFindsAsScan(pieces, s.y, 0, s.y.size());
    EXPECT_EQ(pieces.Generation(), whole.Generation());  // never started over
    EXPECT_EQ(pieces.YRange().lo, whole.YRange().lo);
    EXPECT_EQ(pieces.YRange().hi, whole.YRange().hi);
}

TEST(MinMaxPyramid, StartsOverWhenPointsAreRemovedOrReplaced) {
    Samples s(1000);
    MinMaxPyramid pyramid;
    pyramid.Update(s.x.data(), s.y.data(), s.x.size());
    unsigned generation = pyramid.Generation();
    // Fewer points, of which the highest is gone: the arrays themselves are the same.
    std::vector<double> fewer(s.y.begin(), s.y.begin() + 100);
    ASSERT_GT(s.y.size(), 100u);
    pyramid.Update(s.x.data(), s.y.data(), fewer.size());
    EXPECT_EQ(pyramid.Count(), 100u);
    EXPECT_GT(pyramid.Generation(), generation);
    expectFindsAsScan(pyramid, fewer, 0, fewer.size());
    EXPECT_EQ(pyramid.YRange().hi, scanned(fewer, 0, fewer.size()).second);
    // As many points and more, but new ones.
    Samples other(2000, 9);
    generation = pyramid.Generation();
    pyramid.Update(other.x.data(), other.y.data(), other.y.size());
    EXPECT_GT(pyramid.Generation(), generation);
    expectFindsAsScan(pyramid, other.y, 0, other.y.size());
    expectFindsAsScan(pyramid, other.y, 0, 100);
}

TEST(MinMaxPyramid, XThatGoesBackOrIsNotFiniteIsNotMonotonic) {
    auto monotonic = [](std::vector<double> x) {
        std::vector<double> y(x.size(), 1);
        MinMaxPyramid pyramid;
        pyramid.Update(x.data(), y.data(), 2);  // appended in two steps, the check spans them
        pyramid.Update(x.data(), y.data(), x.size());
        return pyramid.Monotonic();
    };
    EXPECT_TRUE(monotonic({0, 1, 1, 2}));  // repeated X, as a sweep's steps give
    EXPECT_FALSE(monotonic({0, 1, 0.5, 2}));
    EXPECT_FALSE(monotonic({0, 1, kNaN, 2}));
    EXPECT_FALSE(monotonic({0, 1, 2, kInf}));
}

TEST(MinMaxPyramid, TakesAtMostAQuarterOfTheSamplesMemory) {
    Samples s(1 << 21);
    MinMaxPyramid once, grown;
    once.Update(s.x.data(), s.y.data(), s.x.size());
    for (std::size_t count = 1; count <= s.x.size(); count = count * 3 / 2 + 1) grown.Update(s.x.data(), s.y.data(), count);
    grown.Update(s.x.data(), s.y.data(), s.x.size());
    std::size_t samples = s.x.size() * 2 * sizeof(double);
    EXPECT_LE(once.Bytes() * 4, samples);
    EXPECT_LE(grown.Bytes() * 4, samples);
}

TEST(MinMaxPyramid, ColumnsHoldTheirSamplesEndsAndExtremes) {
    std::vector<double> x{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, y{1, kNaN, 5, -2, 3, kNaN, 7, 0, kNaN, 4};
    MinMaxPyramid pyramid;
    pyramid.Update(x.data(), y.data(), y.size());
    // Columns [0, 4.5), [4.5, 5.5) (a lone NaN), [5.5, 9) and [9, 20).
    std::vector<MinMaxPyramid::Column> columns = pyramid.Columns(x.data(), y.data(), {0, 4.5, 5.5, 9, 20});
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].first, 0u);
    EXPECT_EQ(columns[0].last, 4u);
    EXPECT_EQ(columns[0].extremes.min, 3u);
    EXPECT_EQ(columns[0].extremes.max, 2u);
    EXPECT_EQ(columns[1].first, MinMaxPyramid::kNone);
    EXPECT_EQ(columns[2].first, 6u);
    EXPECT_EQ(columns[2].last, 7u);
    EXPECT_EQ(columns[3].first, 9u);
    EXPECT_EQ(columns[3].last, 9u);
}

}  // namespace
