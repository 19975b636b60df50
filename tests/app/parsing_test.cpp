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
        double value = 0.0;
        ASSERT_TRUE(veltsim::ParseSpiceNumber(row.text, value)) << row.text;
        EXPECT_DOUBLE_EQ(value, row.value) << row.text;
    }
    for (const char* bad : {"", "m", "abc", "-", ".", " 5", "inf", "nan"}) {
        double value = 0.0;
        EXPECT_FALSE(veltsim::ParseSpiceNumber(bad, value)) << bad;
    }
}

TEST(Script, LinesStatementsCommentsAndBackground) {
    std::vector<std::string> lines;
    for (const veltsim::ScriptLine& line : veltsim::ScriptLines("load a.cir; run &\n# a note\n\n  status ;; stop&  \nresults")) {
        lines.push_back(line.text + (line.background ? " &" : ""));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"load a.cir", "run &", "status", "stop &", "results"}));
}

// The title, the analyses, measures joined with their continuation lines, device parameters
// saved on a continuation line or by the option; files that are missing or empty are refused
// with their path.
TEST(Deck, TitleAnalysesMeasuresAndSavedDeviceParameters) {
    TempDir dir;
    const struct {
        const char* text;
        bool saves;
    } rows[] = {
        {"A title .tran 1 2\r\nV1 a 0 1\n  .TRAN 1u 1m\n.meas tran x RMS V(a)\n+ FROM=1 TO=2\n.ac dec 10 1 10\n.end\n", false},
        {"t\n.save out in\n+ @r1[i]\n.end\n", true},
        {"t\n.OPTIONS reltol=1e-4 SAVECURRENTS\n.end\n", true},
        {"t\n.save out v1#branch\n* @r1[i] in a comment\n.end\n", false},
    };
    veltsim::Deck deck;
    std::string error;
    for (const auto& row : rows) {
        std::ofstream(dir / "deck.cir") << row.text;
        ASSERT_TRUE(veltsim::ReadDeck(dir / "deck.cir", deck, error));
        EXPECT_EQ(deck.savesDeviceParameters, row.saves) << row.text;
        if (row.text[0] != 'A') continue;
        EXPECT_EQ(deck.title, "A title .tran 1 2");
        EXPECT_EQ(deck.analyses, (std::vector<std::string>{".TRAN 1u 1m", ".ac dec 10 1 10"}));
        ASSERT_EQ(deck.measures, std::vector<std::string>{".meas tran x RMS V(a) FROM=1 TO=2"});
        std::string analysis, name;
        ASSERT_TRUE(veltsim::SplitMeasure(deck.measures[0], analysis, name));
        EXPECT_EQ(analysis + " " + name, "tran x");
    }
    std::ofstream(dir / "empty.cir");
    EXPECT_FALSE(veltsim::ReadDeck(dir / "empty.cir", deck, error));
    EXPECT_EQ(error, "cannot read deck: " + dir / "empty.cir" + " is empty");
}

TEST(TextTable, ColumnsAlignedToTheirWidestCell) {
    veltsim::TextTable table({"probe", "rms"});
    table.AddRow({"V(out)", "1.165538"});
    table.AddRow({"I(v1)"});
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"probe   rms", "------  --------", "V(out)  1.165538", "I(v1)"}));
}
