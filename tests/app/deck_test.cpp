// Decks that include other files, wherever the program was started.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "deck.h"
#include "session_support.h"
#include "tests/support/temp_dir.h"

// Relative paths of .include and .lib cards are taken from the deck's folder, also with this
// process's working directory elsewhere; a file included from there resolves its own includes
// from its own folder, as ngspice does.
TEST(Deck, IncludesResolveFromTheDecksFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir / "deck/sub");
    std::filesystem::create_directories(dir / "deck/lib");
    std::ofstream(dir / "deck/main.cir") << "included parts\n.include sub/parts.inc\n.lib 'lib/models.lib' typ\n"
                                             "V1 in 0 1\nX1 in out divider\nR9 out 0 rload\n.op\n.end\n";
    std::ofstream(dir / "deck/sub/parts.inc") << ".include values.inc\n.subckt divider a b\nR1 a b rtop\nR2 b 0 1k\n.ends\n";
    std::ofstream(dir / "deck/sub/values.inc") << ".param rtop=3k\n";
    std::ofstream(dir / "deck/lib/models.lib") << ".lib typ\n.param rload=1meg\n.endl typ\n";
    ASSERT_NE(std::filesystem::current_path(), std::filesystem::path(dir / "deck"));
    const veltsimtest::SessionRun run = veltsimtest::RunScript("load " + dir / "deck/main.cir" + "; probe out; run");
    ASSERT_EQ(run.status, 0);
    // 1 V over 3k and 1k parallel to 1 Meg.
    EXPECT_NEAR(veltsimtest::Number(run.Row("V(out)", run.Find("op1: .op")), 1), 0.2498126, 1e-7);
}

TEST(Deck, OnlyRelativeIncludePathsAreRewritten) {
    veltsim::Deck deck;
    deck.path = "/d/rc.cir";
    deck.lines = {".include title.inc",   ".include m.inc",       "  .INC \"my parts.inc\" * why", ".lib 'l/m.lib' tt",
                  ".lib typ",             ".include /abs/a.inc",  ".include ~/h.inc",               "R1 a b 1k"};
    EXPECT_EQ(veltsim::LinesForNgspice(deck),
              (std::vector<std::string>{".include title.inc", ".include \"/d/m.inc\"", "  .INC \"/d/my parts.inc\" * why",
                                        ".lib \"/d/l/m.lib\" tt", ".lib typ", ".include /abs/a.inc", ".include ~/h.inc",
                                        "R1 a b 1k"}));
}
