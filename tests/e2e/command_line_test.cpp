// The command line on the real binary: names and defaults, refusals, usage
// errors, exit statuses, and the fatal reports that name the file and the
// system's reason.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "barlist_version.h"
#include "command_line_fixture.hpp"

namespace {

namespace fs = std::filesystem;
using e2e::located;
using e2e::ProcessResult;
using e2e::read_file;
using e2e::write_file;

class CommandLine : public e2e::CommandLineTest {};

const std::vector<std::string> kCleanDeck = {"*B06P001 100CLEAN", "UPIER CAP         1", " 16A01  1250   2", "Z"};

TEST_F(CommandLine, NamesDefaultsAndRefusalWithoutForce) {
  deck(kCleanDeck, "pier.deck");
  ProcessResult run = barlist({"pier.deck"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out + run.err, "");
  const std::string qty = read_file(file("pier.qty"));
  const std::string tab = read_file(file("pier.tab"));
  EXPECT_NE(qty.find("01-JAN-70"), std::string::npos) << "SOURCE_DATE_EPOCH fixes the header date";
  EXPECT_NE(qty.find("00:00:00 QUENDRAL"), std::string::npos);

  // An existing report is refused before anything is opened or written.
  write_file(file("pier.tab"), "keep me");
  run = barlist({"pier.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "barlist: pier.qty: file exists (use --force to overwrite it)\n");
  EXPECT_EQ(read_file(file("pier.qty")), qty);
  EXPECT_EQ(read_file(file("pier.tab")), "keep me");

  run = barlist({"--force", "pier.deck"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(read_file(file("pier.qty")), qty);
  EXPECT_EQ(read_file(file("pier.tab")), tab);

  // Names of any length, named outputs, a deck without an extension, and a
  // name that looks like an option after "--".
  const std::string folder = std::string(120, 'f');
  fs::create_directories(file(folder));
  const std::string long_deck = folder + "/" + std::string(150, 'd') + ".cards";
  deck(kCleanDeck, long_deck);
  deck(kCleanDeck, "plain");
  deck(kCleanDeck, "-dash.deck");
  EXPECT_EQ(barlist({long_deck}).exit_code, 0);
  EXPECT_EQ(read_file(file(folder + "/" + std::string(150, 'd') + ".tab")), tab);
  EXPECT_EQ(barlist({"-q", "plain", "named.q", "named.t"}).exit_code, 0);
  EXPECT_EQ(read_file(file("named.t")), tab);
  EXPECT_EQ(barlist({"plain"}).exit_code, 0);
  EXPECT_EQ(read_file(file("plain.tab")), tab);
  EXPECT_EQ(barlist({"--", "-dash.deck"}).exit_code, 0);
  EXPECT_EQ(read_file(file("-dash.tab")), tab);
}

TEST_F(CommandLine, UsageErrorsHelpAndVersion) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--bogus", "x.deck"},
                                             {"-q"},
                                             {"a", "b", "c", "d"},
                                             {"--json"},
                                             // Fixing takes the deck alone.
                                             {"--fix", "x.deck", "x.qty"},
                                             {"--diff", "--json", "-", "x.deck"},
                                             {"--fix", "--csv", "x.csv", "x.deck"},
                                             {"--fix", "-n", "x.deck"},
                                             {"--unsafe-fixes", "x.deck"}}) {
    const ProcessResult run = barlist(args);
    EXPECT_EQ(run.exit_code, 1) << args[0];
    EXPECT_EQ(run.err.rfind("barlist: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("\nTry 'barlist --help' for more information.\n"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
  }
  EXPECT_TRUE(fs::is_empty(dir_.path())) << "a usage error creates nothing";

  ProcessResult run = barlist({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  for (const char* line : {"Usage: barlist [OPTIONS] DECK [QTY [TAB]]\n", "  --color[=WHEN] ",
                           "CSV to FILE (-: stdout)", "  --fix ", "  --unsafe-fixes ", "  --diff "}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  }
  EXPECT_EQ(run.err, "");
  run = barlist({"-V"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "barlist " BARLIST_VERSION "\n");
}

TEST_F(CommandLine, FatalReportsNameTheFileAndTheReason) {
  ProcessResult run = barlist({"pier.dek"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "barlist: pier.dek: cannot open the deck: No such file or directory\n");
  EXPECT_TRUE(fs::is_empty(dir_.path()));

  fs::create_directory(file("folder.deck"));
  EXPECT_EQ(barlist({"folder.deck", "a.qty", "a.tab"}).err,
            "barlist: folder.deck: cannot open the deck: Is a directory\n");

  deck({"*B06P001 100BAD COUNT", "UPIER CAP        1O"});
  run = barlist({"input.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, located(2, 19,
                             "fatal error: input conversion error: \"1O\" in the number of units (columns 18-19) "
                             "is not a number",
                             "UPIER CAP        1O", "the run stops here; the quantities file ends before this card"));
  EXPECT_TRUE(fs::exists(file("input.qty"))) << "what was written is kept";

  deck(kCleanDeck);
  const std::string deck_bytes = read_file(file("input.deck"));
  run = barlist({"-f", "input.deck", "input.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "barlist: input.deck: a report file cannot be the deck\n");
  EXPECT_EQ(read_file(file("input.deck")), deck_bytes);
  run = barlist({"-f", "--json", "input.deck", "input.deck"});
  EXPECT_EQ(run.err, "barlist: input.deck: an export cannot be the deck or a report file\n");
  EXPECT_EQ(read_file(file("input.deck")), deck_bytes);

  ::setenv("SOURCE_DATE_EPOCH", "yesterday", 1);
  run = barlist({"-f", "input.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "barlist: SOURCE_DATE_EPOCH: not a number of seconds since 1970\n");
}

}  // namespace
