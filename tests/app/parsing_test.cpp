#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "deck.h"
#include "script.h"
#include "spice_number.h"
#include "tests/support/temp_dir.h"
#include "text_table.h"

TEST(SpiceNumber, ScaleSuffixesAndUnits) {
    const struct {
        const char* text;
        double value;
    } rows[] = {
        {"5m", 5e-3}, {"10", 10.0}, {"1MEG", 1e6}, {"1meg", 1e6}, {"10kHz", 1e4}, {"2.5e-3", 2.5e-3},
        {"100n", 1e-7}, {"3p", 3e-12}, {"1f", 1e-15}, {"4u", 4e-6}, {"2g", 2e9}, {"1t", 1e12},
        {".5", 0.5}, {"-1.5k", -1500.0}, {"1e", 1.0}, {"7x", 7.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        double value = 0.0;
        ASSERT_TRUE(veltsim::ParseSpiceNumber(row.text, value));
        EXPECT_DOUBLE_EQ(value, row.value);
    }
    for (const char* bad : {"", "m", "abc", "-", ".", " 5", "inf", "nan"}) {
        SCOPED_TRACE(bad);
        double value = 0.0;
        EXPECT_FALSE(veltsim::ParseSpiceNumber(bad, value));
    }
}

TEST(Script, LinesStatementsCommentsAndBackground) {
    const std::vector<veltsim::ScriptLine> lines =
        veltsim::ScriptLines("load a.cir; run &\n# a note\n\n  status ;; stop&  \nresults");
    ASSERT_EQ(lines.size(), 5u);
    const struct {
        const char* text;
        bool background;
    } expected[] = {{"load a.cir", false}, {"run", true}, {"status", false}, {"stop", true}, {"results", false}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(lines[i].text, expected[i].text);
        EXPECT_EQ(lines[i].background, expected[i].background);
    }
}

TEST(Deck, TitleAnalysesAndJoinedMeasures) {
    TempDir dir;
    std::ofstream(dir / "deck.cir") << "A title .tran 1 2\r\nV1 a 0 1\n  .TRAN 1u 1m\n.meas tran x RMS V(a)\n+ FROM=1 TO=2\n.ac dec 10 1 10\n.end\n";
    veltsim::Deck deck;
    std::string error;
    ASSERT_TRUE(veltsim::ReadDeck(dir / "deck.cir", deck, error));
    EXPECT_EQ(deck.title, "A title .tran 1 2");
    EXPECT_EQ(deck.analyses, (std::vector<std::string>{".TRAN 1u 1m", ".ac dec 10 1 10"}));
    ASSERT_EQ(deck.measures, std::vector<std::string>{".meas tran x RMS V(a) FROM=1 TO=2"});
    std::string analysis, name;
    ASSERT_TRUE(veltsim::SplitMeasure(deck.measures[0], analysis, name));
    EXPECT_EQ(analysis, "tran");
    EXPECT_EQ(name, "x");
}

// Device parameters saved on a continuation line, or by the option, are seen.
TEST(Deck, SavedDeviceParametersAreSeenOnContinuationLines) {
    TempDir dir;
    const struct {
        const char* text;
        bool saves;
    } rows[] = {
        {"t\n.save out in\n+ @r1[i]\n.end\n", true},
        {"t\n.OPTIONS reltol=1e-4 SAVECURRENTS\n.end\n", true},
        {"t\n.save out v1#branch\n* @r1[i] in a comment\n.end\n", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::ofstream(dir / "deck.cir") << row.text;
        veltsim::Deck deck;
        std::string error;
        ASSERT_TRUE(veltsim::ReadDeck(dir / "deck.cir", deck, error));
        EXPECT_EQ(deck.savesDeviceParameters, row.saves);
    }
}

TEST(Deck, MissingAndEmptyFilesAreRefusedWithTheirPath) {
    TempDir dir;
    std::ofstream(dir / "empty.cir");
    veltsim::Deck deck;
    std::string error;
    EXPECT_FALSE(veltsim::ReadDeck(dir / "none.cir", deck, error));
    EXPECT_EQ(error, "cannot read deck: " + dir / "none.cir");
    EXPECT_FALSE(veltsim::ReadDeck(dir / "empty.cir", deck, error));
    EXPECT_EQ(error, "cannot read deck: " + dir / "empty.cir" + " is empty");
}

TEST(TextTable, ColumnsAlignedToTheirWidestCell) {
    veltsim::TextTable table({"probe", "rms"});
    table.AddRow({"V(out)", "1.165538"});
    table.AddRow({"I(v1)"});
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"probe   rms", "------  --------", "V(out)  1.165538", "I(v1)"}));
}
