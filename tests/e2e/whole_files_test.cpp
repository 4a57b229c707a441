// Files stay whole: a refused run leaves its folder exactly as it was, and an
// export is the whole of this run's or what stood there before, whatever the
// target is.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "barlist_run.hpp"

namespace {

namespace fs = std::filesystem;
using e2e::ProcessResult;
using e2e::read_file;
using e2e::write_file;

const std::vector<std::string> kDeck = {"*B06P001 100CLEAN", "UPIER CAP         1", " 16A01  1250   2", "Z"};

// Every name in a folder (sub-folders included) with its kind, mode, size,
// modification time and contents.
using Snapshot = std::map<std::string, std::tuple<unsigned, long long, long long, std::string>>;

Snapshot snapshot(const fs::path& folder) {
  Snapshot entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    const bool regular = S_ISREG(info.st_mode);
    entries[fs::relative(entry.path(), folder).string()] = {info.st_mode, info.st_size,
                                                            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
                                                            regular ? read_file(entry.path()) : ""};
  }
  return entries;
}

class WholeFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SOURCE_DATE_EPOCH", "0", 1);
    ::umask(022);
    write_file(file("d.deck"), e2e::join_lines(kDeck));
  }
  void TearDown() override { ::unsetenv("SOURCE_DATE_EPOCH"); }

  ProcessResult barlist(const std::vector<std::string>& args) {
    return e2e::run_process(BARLIST_BINARY, args, "", dir_.path().string(), std::chrono::seconds(10));
  }
  fs::path file(const std::string& name) const { return dir_.path() / name; }

  // Runs barlist and expects the refusal `message`, with no file touched.
  void expect_refused(const std::vector<std::string>& args, const std::string& message) {
    const Snapshot before = snapshot(dir_.path());
    const ProcessResult run = barlist(args);
    EXPECT_EQ(run.exit_code, 1) << args.back();
    EXPECT_EQ(run.err, "barlist: " + message + "\n");
    EXPECT_TRUE(snapshot(dir_.path()) == before) << "the folder changed: " << message;
  }

  e2e::TempDir dir_;
};

TEST_F(WholeFiles, ARefusedRunTouchesNoFile) {
  fs::create_directory(file("folder"));
  write_file(file("plain"), "a file, not a folder");
  expect_refused({"--json", "d.deck", "d.deck"}, "d.deck: an export cannot be the deck or a report file");
  expect_refused({"--csv", "d.qty", "d.deck"}, "d.qty: an export cannot be the deck or a report file");
  expect_refused({"-f", "d.deck", "d.deck"}, "d.deck: a report file cannot be the deck");
  expect_refused({"d.deck", "d.deck"}, "d.deck: a report file cannot be the deck");
  expect_refused({"d.deck", "same", "./same"}, "./same: the bar-table file cannot be the quantities file");
  expect_refused({"--json", "-", "--csv", "-", "d.deck"},
                 "standard output: the JSON record and the CSV schedule cannot share it");
  expect_refused({"--json", "x.out", "--csv", "./x.out", "d.deck"},
                 "./x.out: the JSON record and the CSV schedule cannot share it");
  expect_refused({"--json", "folder", "d.deck"}, "folder: cannot write the JSON record: Is a directory");
  expect_refused({"-f", "d.deck", "folder"}, "folder: cannot create the quantities file: Is a directory");
  // The bar table cannot be created: the quantities file made for the run goes again.
  expect_refused({"d.deck", "new.qty", "plain/new.tab"},
                 "plain/new.tab: cannot create the bar-table file: Not a directory");

  // Reports of an earlier run: kept, whatever refuses the next.
  ASSERT_EQ(barlist({"d.deck"}).exit_code, 0);
  write_file(file("d.json"), "an earlier export");
  expect_refused({"d.deck"}, "d.qty: file exists (use --force to overwrite it)");
  expect_refused({"--force", "--json", "d.qty", "d.deck"}, "d.qty: an export cannot be the deck or a report file");
  expect_refused({"--force", "--json", "d.json", "--csv", "d.json", "d.deck"},
                 "d.json: the JSON record and the CSV schedule cannot share it");
  ::setenv("SOURCE_DATE_EPOCH", "yesterday", 1);
  expect_refused({"--force", "d.deck"}, "SOURCE_DATE_EPOCH: not a number of seconds since 1970");
}

// An empty deck has nothing to read: said at once, and no report made or emptied.
TEST_F(WholeFiles, AnEmptyDeckIsRefused) {
  write_file(file("empty.deck"), "");
  expect_refused({"empty.deck"}, "empty.deck: the deck is empty");
  write_file(file("empty.qty"), "kept");
  expect_refused({"--force", "empty.deck"}, "empty.deck: the deck is empty");
}

TEST_F(WholeFiles, ExportsReplaceTheirTargetWhole) {
  ASSERT_EQ(barlist({"--json", "first.json", "d.deck"}).exit_code, 0);
  const std::string json = read_file(file("first.json"));
  EXPECT_EQ(fs::status(file("first.json")).permissions(), fs::perms(0644)) << "0666 less the umask";

  // Through a symbolic link: the file it points to is replaced, the link kept.
  write_file(file("real.json"), "old");
  fs::create_symlink("real.json", file("link.json"));
  ASSERT_EQ(barlist({"-f", "--json", "link.json", "d.deck"}).exit_code, 0);
  EXPECT_TRUE(fs::is_symlink(file("link.json")));
  EXPECT_EQ(read_file(file("real.json")), json);

  // The old file's mode is kept.
  write_file(file("private.json"), "old");
  fs::permissions(file("private.json"), fs::perms(0600));
  ASSERT_EQ(barlist({"-f", "--json", "private.json", "d.deck"}).exit_code, 0);
  EXPECT_EQ(fs::status(file("private.json")).permissions(), fs::perms(0600));
  EXPECT_EQ(read_file(file("private.json")), json);

  // Where it cannot be written the target is untouched and the reports are
  // this run's; no temporary file is left anywhere.
  write_file(file("plain"), "a file, not a folder");
  ProcessResult run = barlist({"-f", "--json", "plain/x.json", "d.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "barlist: plain/x.json: cannot write the JSON record: Not a directory\n");
  run = barlist({"-f", "--csv", "/dev/full", "d.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "barlist: /dev/full: cannot write the CSV schedule: No space left on device\n");
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  }
}

TEST_F(WholeFiles, AnExportIntoAPipeNeverWaits) {
  ASSERT_EQ(::mkfifo(file("pipe").c_str(), 0600), 0);
  ProcessResult run = barlist({"--csv", "pipe", "d.deck"});
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "barlist: pipe: cannot write the CSV schedule: no reader\n");
  run = barlist({"-f", "d.deck", "pipe", "new.tab"});
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.err, "barlist: pipe: cannot create the quantities file: no reader\n");
  EXPECT_FALSE(fs::exists(file("new.tab")));

  // With a reader, the schedule goes through the pipe as it would to a file.
  ASSERT_EQ(barlist({"-f", "--csv", "file.csv", "d.deck"}).exit_code, 0);
  std::string received;
  std::thread reader([&] {
    const int fd = ::open(file("pipe").c_str(), O_RDONLY);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) received.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
  });
  // The run may start before the reader opens the pipe: try until it has one.
  for (int attempt = 0; attempt < 100; ++attempt) {
    run = barlist({"-f", "--csv", "pipe", "d.deck"});
    if (run.exit_code == 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  reader.join();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(received, read_file(file("file.csv")));
}

// A fatal stop writes no export, and says so: one of an earlier run may stand.
TEST_F(WholeFiles, AFatalStopSaysNoExportWasWritten) {
  write_file(file("bad.deck"), "*B06P001 100BAD COUNT\nUPIER CAP        1O\n");
  write_file(file("bad.json"), "an earlier export");
  const ProcessResult run = barlist({"--json", "bad.json", "bad.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err.substr(run.err.find('\n', run.err.rfind("note:")) + 1), "barlist: no export was written\n");
  EXPECT_EQ(read_file(file("bad.json")), "an earlier export");
}

// --diff shows the fixes as patch applies them and writes nothing; --fix
// writes them in rounds (a fixed card may show more to fix) and keeps the
// deck's mode, a link to it and its line ends; a second --fix changes nothing.
TEST_F(WholeFiles, FixAndDiffMendTheDeck) {
  std::vector<std::string> cards = {"*B06P003 100SECOND",
                                    "UWALL             1",
                                    " 11A01001000   1",  // error 5: no fix
                                    "Z",
                                    "*B06P002 100FIXES",
                                    "UPIER CAP         1",
                                    " 16A01  1250 2",  // 7: count at the left
                                    "C ONE",
                                    "C TWO",
                                    "C THREE",
                                    "C FOUR",
                                    "C FIVE",
                                    "C SIX",
                                    "C SEVEN",
                                    "C EIGHT",
                                    "s16S01  2000 3",  // 16: a small letter, then the count
                                    " 16A02  1000 4",
                                    "z"};
  std::vector<std::string> fixed = cards;
  fixed[6] = " 16A01  1250   2";
  fixed[15] = "S16S01  2000   3";
  fixed[16] = " 16A02  1000   4";
  fixed[17] = "Z";
  for (const auto& [line_end, ended] : {std::pair{"\n", true}, {"\r\n", true}, {"\r\n", false}}) {
    // Structured bindings are not captured by clang 14's lambdas: copies are.
    const std::string end = line_end;
    const bool last_ended = ended;
    const auto text = [&](const std::vector<std::string>& lines) {
      std::string bytes;
      for (const std::string& line : lines) bytes += line + end;
      return last_ended ? bytes : bytes.substr(0, bytes.size() - std::string(end).size());
    };
    write_file(file("d.deck"), text(cards));
    fs::permissions(file("d.deck"), fs::perms(0640));
    fs::remove(file("link.deck"));
    fs::create_symlink("d.deck", file("link.deck"));

    // The record names each fix: its columns in bytes, its text, and whether --fix applies it.
    const std::string record = barlist({"--check", "--json", "-", "d.deck"}).out;
    EXPECT_NE(record.find("\"first_column\": 13,\n"), std::string::npos) << record;
    EXPECT_NE(record.find("\"safe\": true\n"), std::string::npos) << record;
    EXPECT_NE(record.find("\"text\": \"   2\",\n"), std::string::npos) << record;

    Snapshot before = snapshot(dir_.path());
    const ProcessResult diff = barlist({"--diff", "d.deck"});
    EXPECT_EQ(diff.exit_code, 2) << "as a check of the deck as fixed";
    EXPECT_TRUE(snapshot(dir_.path()) == before) << "--diff writes nothing";
    EXPECT_EQ(diff.out.rfind("--- d.deck\n+++ d.deck\n@@ -4,7 +4,7 @@\n", 0), 0u) << diff.out;
    EXPECT_NE(diff.out.find("@@ -13,6 +13,6 @@\n"), std::string::npos) << diff.out;
    e2e::TempDir copy;
    write_file(copy.path() / "d.deck", text(cards));
    EXPECT_EQ(e2e::run_process("/bin/sh", {"-c", "patch -s -p0"}, diff.out, copy.path().string()).exit_code, 0);
    EXPECT_EQ(read_file(copy.path() / "d.deck"), text(fixed));

    const ProcessResult fix = barlist({"--fix", "link.deck"});
    EXPECT_EQ(fix.exit_code, 2);
    EXPECT_EQ(fix.out, "");
    EXPECT_NE(fix.err.find("link.deck:3:2: error 5"), std::string::npos) << "what remains is listed";
    EXPECT_EQ(fix.err.substr(fix.err.rfind('\n', fix.err.size() - 2) + 1), "link.deck: 5 fixed, 1 remaining\n");
    EXPECT_EQ(read_file(file("d.deck")), text(fixed));
    EXPECT_TRUE(fs::is_symlink(file("link.deck")));
    EXPECT_EQ(fs::status(file("d.deck")).permissions(), fs::perms(0640));

    before = snapshot(dir_.path());
    const ProcessResult again = barlist({"--fix", "d.deck"});
    EXPECT_EQ(again.exit_code, 2);
    EXPECT_EQ(again.err.substr(again.err.rfind('\n', again.err.size() - 2) + 1), "d.deck: 0 fixed, 1 remaining\n");
    EXPECT_TRUE(snapshot(dir_.path()) == before) << "nothing left to fix";
    EXPECT_EQ(barlist({"--diff", "d.deck"}).out, "");
  }

  // Unsafe fixes that change a line's length: a tab made the blanks that
  // bring the number of units to its field, a two-byte letter made one.
  write_file(file("u.deck"),
             "*B06P004 100TABS\nUPEDESTAL\t12\n 16A01001000   2\nUPFEILER S\xc3\x9c"
             "D      1\n 16A02001000   2\nZ\n");
  const ProcessResult unsafe = barlist({"--fix", "--unsafe-fixes", "u.deck"});
  EXPECT_EQ(unsafe.exit_code, 0) << unsafe.err;
  EXPECT_EQ(read_file(file("u.deck")),
            "*B06P004 100TABS\nUPEDESTAL        12\n 16A01001000   2\nUPFEILER SUD      1\n 16A02001000   2\nZ\n");
}

}  // namespace
