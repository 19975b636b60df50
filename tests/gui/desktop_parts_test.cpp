#include <QStringList>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "module_folder.h"
#include "recent_decks.h"
#include "run_span.h"
#include "run_status.h"
#include "tests/support/temp_dir.h"

namespace {

using veltsim::RunPace;
using veltsim::RunStatus;
using veltsim::SpanOfAnalysis;
using veltsim::SpanOfCard;

TEST(RunSpans, TransientsAreLinearFromZeroAndSweepsLogarithmicUnlessLinear) {
    const auto tran = SpanOfCard(".TRAN 1u 10m 0 1u");
    ASSERT_TRUE(tran);
    EXPECT_EQ(tran->type, "tran");
    EXPECT_DOUBLE_EQ(tran->Fraction(2.5e-3), 0.25);
    EXPECT_DOUBLE_EQ(tran->Fraction(20e-3), 1.0);
    const auto decades = SpanOfCard("ac dec 10 10 100k");
    ASSERT_TRUE(decades);
    EXPECT_DOUBLE_EQ(decades->Fraction(1000), 0.5);
    EXPECT_DOUBLE_EQ(decades->Fraction(1), 0.0);
    const auto linear = SpanOfCard(".ac lin 100 1k 3k");
    ASSERT_TRUE(linear);
    EXPECT_DOUBLE_EQ(linear->Fraction(2000), 0.5);
    EXPECT_FALSE(SpanOfCard(".op"));
    EXPECT_FALSE(SpanOfCard(".tran 1u"));
    EXPECT_FALSE(SpanOfCard(".ac dec 10 x 1k"));
}

TEST(RunSpans, EachAnalysisOfATypeTakesItsOwnCardInOrder) {
    const std::vector<std::string> cards{".op", ".tran 1u 1m", ".ac dec 10 1 1k", "tran 1u 4m"};
    EXPECT_DOUBLE_EQ(SpanOfAnalysis(cards, "tran", 0)->stop, 1e-3);
    EXPECT_DOUBLE_EQ(SpanOfAnalysis(cards, "tran", 1)->stop, 4e-3);
    EXPECT_FALSE(SpanOfAnalysis(cards, "tran", 2));
    EXPECT_DOUBLE_EQ(SpanOfAnalysis(cards, "ac", 0)->stop, 1e3);
    EXPECT_FALSE(SpanOfAnalysis(cards, "dc", 0));
}

TEST(RunPaces, StepsPerSecondOverHalfASecondAndTheTimeSinceTheRunBeganFrozenAtItsEnd) {
    RunPace pace;
    RunStatus status;
    status.state = RunStatus::State::Running;
    pace.Sample(status, 10'000);
    status.steps = 400;
    pace.Sample(status, 10'300);
    EXPECT_EQ(pace.Elapsed(), 300u);
    EXPECT_EQ(pace.StepsPerSecond(), 0.0);
    status.steps = 1000;
    pace.Sample(status, 10'500);
    EXPECT_DOUBLE_EQ(pace.StepsPerSecond(), 2000.0);
    status.state = RunStatus::State::Held;
    pace.Sample(status, 11'000);
    EXPECT_DOUBLE_EQ(pace.StepsPerSecond(), 0.0);
    status.state = RunStatus::State::Stopped;
    pace.Sample(status, 20'000);
    EXPECT_EQ(pace.Elapsed(), 1000u);
    // The next run counts from its own start.
    status.state = RunStatus::State::Running;
    status.steps = 0;
    pace.Sample(status, 30'000);
    EXPECT_EQ(pace.Elapsed(), 0u);
}

TEST(LiveModuleFolders, FoundInTheBuildTreeOrBesideTheInstalledProgramElseNone) {
    TempDir dir;
    dir.MakeDir("build/apps/veltsim");
    dir.MakeDir("build/livegrapher");
    EXPECT_EQ(veltsim::LiveModuleFolder(dir / "build/apps/veltsim/veltsim"), "");
    dir.Touch("build/livegrapher/grapher.so");
    EXPECT_EQ(veltsim::LiveModuleFolder(dir / "build/apps/veltsim/veltsim"), dir / "build/livegrapher");
    dir.MakeDir("prefix/bin");
    dir.MakeDir("prefix/lib/veltutil/live");
    dir.Touch("prefix/lib/veltutil/live/grapher.so");
    EXPECT_EQ(veltsim::LiveModuleFolder(dir / "prefix/bin/veltsim"), dir / "prefix/lib/veltutil/live");
}

TEST(LiveModuleFolders, PutFirstTheFolderKeepsEveryOtherWhereItWasFound) {
    const char* before = std::getenv("VELT_MODULE_PATH");
    const std::string saved = before ? before : "";
    ::setenv("VELT_MODULE_PATH", "/a:/b", 1);
    veltsim::PutModuleFolderFirst("/live");
    EXPECT_STREQ(std::getenv("VELT_MODULE_PATH"), "/live:/a:/b");
    ::unsetenv("VELT_MODULE_PATH");
    veltsim::PutModuleFolderFirst("/live");
    EXPECT_STREQ(std::getenv("VELT_MODULE_PATH"), ("/live:" VELT_TEST_BINARY_DIR ":" VELT_TEST_BINARY_DIR "/veltutil"));
    if (before) {
        ::setenv("VELT_MODULE_PATH", saved.c_str(), 1);
    } else {
        ::unsetenv("VELT_MODULE_PATH");
    }
}

TEST(RecentDecksKept, NewestFirstOnceEachAndEightAtMostAcrossSessions) {
    for (int n = 1; n <= 10; ++n) veltsim::gui::RecentDecks().Add(QStringLiteral("/decks/d%1.cir").arg(n));
    veltsim::gui::RecentDecks().Add(QStringLiteral("/decks/d7.cir"));
    const QStringList decks = veltsim::gui::RecentDecks().List();
    ASSERT_EQ(decks.size(), veltsim::gui::RecentDecks::kKept);
    EXPECT_EQ(decks.front(), "/decks/d7.cir");
    EXPECT_EQ(decks.at(1), "/decks/d10.cir");
    EXPECT_EQ(decks.count("/decks/d7.cir"), 1);
    EXPECT_FALSE(decks.contains("/decks/d2.cir"));
}

}  // namespace
