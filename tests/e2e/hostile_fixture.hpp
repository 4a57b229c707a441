// The fixture of the hostile tests: one run of the real binary in a folder
// of its own, and what its files and streams hold.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "barlist_run.hpp"

namespace hostile {

namespace fs = std::filesystem;
using e2e::blanks;
using e2e::kBarTablePrompt;
using e2e::kExiting;
using e2e::kInputPrompt;
using e2e::kOverwriteQuestion;
using e2e::kPrompts;
using e2e::kQuantitiesPrompt;
using e2e::pad;
using e2e::problem_header;
using e2e::read_file;
using e2e::Records;
using e2e::write_file;

inline std::string lines(const Records& cards) { return e2e::join_lines(cards); }

// A small deck that lists one bar: its quantities and bar table are not empty.
inline const Records kGoodDeck = {
    "*B06P001 100GOOD DECK",
    "UPIER CAP         1",
    " 16A01  1250   2",
    "Z",
};

inline Records operator+(Records a, const Records& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::size_t count_of(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

// One run in a folder of its own: the deck (if any) is input.deck there, and
// `replies` is all that standard input holds.
class Hostile : public ::testing::Test {
 protected:
  e2e::ProcessResult run(const std::string& replies, std::chrono::seconds limit = std::chrono::seconds(60)) {
    result_ = e2e::run_process(BARLIST_BINARY, {}, replies, dir_.path().string(), limit);
    EXPECT_FALSE(result_.timed_out);
    EXPECT_EQ(result_.term_signal, 0) << "barlist died of a signal";
    return result_;
  }
  e2e::ProcessResult run_deck(const std::string& deck) {
    write_file(path("input.deck"), deck);
    fs::remove(path("out.qty"));
    fs::remove(path("out.tab"));
    return run("input.deck\nout.qty\nout.tab\n");
  }
  fs::path path(const std::string& name) const { return dir_.path() / name; }
  std::string file(const std::string& name) const { return read_file(path(name)); }
  bool exists(const std::string& name) const { return fs::exists(path(name)); }
  std::string fatal(const std::string& condition, int unit, const std::string& name) const {
    return "barlist: " + condition + ", unit " + std::to_string(unit) + ", file " +
           path(name).lexically_normal().string() + "\n";
  }
  void expect_fatal(const std::string& condition, int unit, const std::string& name) const {
    EXPECT_EQ(result_.exit_code, 1);
    EXPECT_EQ(result_.err, fatal(condition, unit, name));
  }
  void expect_orderly() const {
    EXPECT_EQ(result_.exit_code, 0);
    EXPECT_EQ(result_.err, "");
  }

  e2e::TempDir dir_;
  e2e::ProcessResult result_;
};

}  // namespace hostile
