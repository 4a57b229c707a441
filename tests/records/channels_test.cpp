#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "records/fatal.h"
#include "records/files.h"
#include "records/input_channel.h"
#include "records/output_channel.h"

namespace barlist::records {
namespace {

class Channels : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/barlist-channels-XXXXXX";
    folder_ = mkdtemp(pattern);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string file(const std::string& name) const { return folder_ + "/" + name; }

  static std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  static void store(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::string folder_;
};

TEST_F(Channels, AsaControlCharactersBecomeLineAndPageMovement) {
  const std::string path = file("asa");
  {
    OutputChannel out(2, path, open_file(2, path, OpenMode::New), {.discipline = LineDiscipline::Asa});
    out.write(Layout("('0','AB',/,' CD',/,'1EF')"), {});
    out.close();
  }
  EXPECT_EQ(contents(path), "\nAB\r\nCD\r\fEF\r\n");
  {
    OutputChannel out(2, path, open_file(2, path, OpenMode::ExistingForWriting),
                      {.discipline = LineDiscipline::Asa, .cut_at_first_record = true});
    out.write(Layout("(' X',/,/,'+Y',/,'$Z',/,'0W')"), {});
  }
  // The empty record between two slashes is LF then CR.
  EXPECT_EQ(contents(path), "X\r\n\rY\r\nZ\n\nW\r\n");
}

TEST_F(Channels, PlainLinesEndWithCrLfUnlessLeftOpen) {
  const std::string path = file("plain");
  {
    OutputChannel out(3, path, open_file(3, path, OpenMode::New), {});
    out.write(Layout("(' PROMPT: ',$)"), {});
    out.write(Layout("(A1)"), {});
    out.list_write({"OUTPUT FILE ALREADY EXISTS. ", " DO YOU"});
  }
  EXPECT_EQ(contents(path), " PROMPT: \r\n OUTPUT FILE ALREADY EXISTS.  DO YOU\r\n");
}

// Records are built in the channel's buffer: many of them fill and empty it
// many times over, and a free-form record longer than the whole buffer goes
// out in pieces, on either discipline.
TEST_F(Channels, EveryRecordArrivesWholeHoweverTheBufferFills) {
  constexpr static Layout kLine{"('0',I6,1X,A5,F8.2)"};
  const std::string long_text(200000, 'L');
  std::string plain_expected, asa_expected;
  {
    OutputChannel plain(3, file("plain"), open_file(3, file("plain"), OpenMode::New), {});
    OutputChannel asa(2, file("asa"), open_file(2, file("asa"), OpenMode::New), {.discipline = LineDiscipline::Asa});
    for (int i = 0; i < 20000; ++i) {
      plain.write<kLine>(i, std::string_view("ABCDE").substr(0, i % 6), 0.25f * static_cast<float>(i));
      asa.write<kLine>(i, std::string_view("ABCDE").substr(0, i % 6), 0.25f * static_cast<float>(i));
      char line[32];
      std::snprintf(line, sizeof line, "0%6d %5s%8.2f", i, std::string("ABCDE").substr(0, i % 6).c_str(), 0.25 * i);
      plain_expected += std::string(line) + "\r\n";
      asa_expected += std::string(i == 0 ? "\n" : "\n\n") + (line + 1) + "\r";
      if (i == 9999) {
        plain.list_write({long_text});
        asa.list_write({long_text});
        plain_expected += " " + long_text + "\r\n";
        asa_expected += "\n" + long_text + "\r";
      }
    }
  }
  EXPECT_EQ(contents(file("plain")), plain_expected);
  EXPECT_EQ(contents(file("asa")), asa_expected + "\n");
}

// A write with its kinds checked by the compiler: restarts, slashes, $,
// quotes, and the stop at the first data item without a value with the
// literals before it, on either discipline.
constexpr Layout kHeader{"('1',A4,3X,'IT''S',I3,/,' ',F6.2,$)"};
constexpr Layout kPairs{"(' H',I2,2(I1,'.',A2))"};
TEST_F(Channels, CheckedWritesOnEitherDiscipline) {
  const std::string plain = file("plain"), asa = file("asa");
  {
    OutputChannel out(3, plain, open_file(3, plain, OpenMode::New), {});
    out.write<kHeader>("P201", 12, 3.5f);
    out.write<kHeader>("P2");
    out.write<kPairs>(1, 2, "ab", 3, "cdef", 4, "g", 5);
  }
  EXPECT_EQ(contents(plain), "1P201   IT'S 12\r\n   3.501  P2   IT'S\r\n H 12.ab3.cd\r\n4. g5.\r\n");
  // The same values as run-time values take the walk, not the compiler's plan.
  const std::string walked = file("walked");
  {
    OutputChannel out(3, walked, open_file(3, walked, OpenMode::New), {});
    out.write(kHeader, {Value("P201"), Value(12), Value(3.5f)});
    out.write(kHeader, {Value("P2")});
    out.write(kPairs, {Value(1), Value(2), Value("ab"), Value(3), Value("cdef"), Value(4), Value("g"), Value(5)});
  }
  EXPECT_EQ(contents(walked), contents(plain));
  {
    OutputChannel out(2, asa, open_file(2, asa, OpenMode::New), {.discipline = LineDiscipline::Asa});
    out.write<kHeader>("P201", 12, 3.5f);
    out.write<kHeader>("P2");
  }
  EXPECT_EQ(contents(asa), "\fP201   IT'S 12\r\n  3.50\r\f  P2   IT'S\r\n");
}

TEST_F(Channels, ConfirmedFileIsCutOnlyWhenAFirstRecordArrives) {
  const std::string path = file("old");
  store(path, "old contents that are longer\n");
  { OutputChannel out(3, path, open_file(3, path, OpenMode::ExistingForWriting), {.cut_at_first_record = true}); }
  EXPECT_EQ(contents(path), "old contents that are longer\n");
  {
    OutputChannel out(3, path, open_file(3, path, OpenMode::ExistingForWriting), {.cut_at_first_record = true});
    out.write(Layout("('NEW')"), {});
  }
  EXPECT_EQ(contents(path), "NEW\r\n");
}

TEST_F(Channels, RecordsAreLinesWithoutTheirCrLfOfAnyLength) {
  const std::string path = file("deck");
  store(path, "AB\r\n\nC\rD\n" + std::string(300, 'x') + "\r\nlast");
  InputChannel in(4, path, open_file(4, path, OpenMode::Existing));
  EXPECT_EQ(in.read_record(), "AB");
  EXPECT_EQ(in.read_record(), "");
  EXPECT_EQ(in.read_record(), "C\rD");
  EXPECT_EQ(in.read_record(), std::string(InputChannel::kMaxColumns, 'x'));
  EXPECT_EQ(in.read_record(), "last");
  EXPECT_FALSE(in.next_record());
  EXPECT_THROW(in.read_record(), FatalError);
  in.rewind();
  EXPECT_EQ(in.read_record(), "AB");
}

TEST_F(Channels, ALayoutGoesOnToTheNextRecordsOfTheFile) {
  const std::string path = file("records");
  store(path, "AB\nCD\nEF\nGH\nIJ\n12\n");
  InputChannel in(4, path, open_file(4, path, OpenMode::Existing));
  std::array<char, 2> first{}, second{}, third{};
  in.read_record(Layout("(A2,/,A2)"), {first, second});
  EXPECT_EQ(std::string(second.data(), 2), "CD");
  in.read_record(Layout("(A2)"), {first, second});  // targets left: the layout starts again on the next record
  EXPECT_EQ(std::string(first.data(), 2), "EF");
  EXPECT_EQ(std::string(second.data(), 2), "GH");
  // Once the targets are filled the layout reads no further record.
  constexpr static Layout kTwoRecords{"(A2,/,I2)"};
  in.read_record<kTwoRecords>(third);
  EXPECT_EQ(std::string(third.data(), 2), "IJ");
  EXPECT_EQ(in.read_record(), "12");
  EXPECT_THROW(in.read_record(Layout("(A2)"), {third}), FatalError);
}

TEST_F(Channels, ALongLineIsReadInPiecesAcrossTheBuffer) {
  const std::string path = file("long");
  store(path, std::string(200000, 'y') + "\n" + "next\n" + std::string(70000, 'z'));
  InputChannel in(4, path, open_file(4, path, OpenMode::Existing));
  EXPECT_EQ(in.read_record(), std::string(InputChannel::kMaxColumns, 'y'));
  EXPECT_EQ(in.read_record(), "next");
  EXPECT_EQ(in.read_record(), std::string(InputChannel::kMaxColumns, 'z'));  // the file ends inside it
  EXPECT_FALSE(in.next_record());
}

// Records are handed out where they lie in the read buffer; those that
// straddle a refill, CR LF split across it included, come out whole.
TEST_F(Channels, RecordsAcrossBufferRefillsComeOutWhole) {
  std::string deck;
  std::vector<std::string> records;
  for (int i = 0; deck.size() < 400000; ++i) {
    records.push_back(std::string(static_cast<std::size_t>(i * 7919 % 300), static_cast<char>('a' + i % 26)));
    deck += records.back() + (i % 3 == 0 ? "\r\n" : "\n");
  }
  store(file("deck"), deck);
  InputChannel in(4, file("deck"), open_file(4, file("deck"), OpenMode::Existing));
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& record : records) {
      ASSERT_EQ(in.read_record(), record.substr(0, InputChannel::kMaxColumns));
    }
    EXPECT_FALSE(in.next_record());
    in.rewind();
  }
}

TEST_F(Channels, FailuresAreFatalWithTheirCondition) {
  try {
    open_file(4, file("missing"), OpenMode::Existing);
    FAIL();
  } catch (const FatalError& e) {
    EXPECT_EQ(std::string(e.what()), "file not found, unit 4, file " + file("missing"));
  }
  EXPECT_THROW(open_file(4, folder_, OpenMode::Existing), FatalError);
  EXPECT_THROW(open_file(2, "   ", OpenMode::New), FatalError);
  EXPECT_THROW(open_file(2, file("no/such/folder"), OpenMode::New), FatalError);
  store(file("exists"), "x");
  EXPECT_THROW(open_file(2, file("exists"), OpenMode::New), FatalError);

  OutputChannel full(2, "/dev/full", open_file(2, "/dev/full", OpenMode::ExistingForWriting),
                     {.discipline = LineDiscipline::Asa, .cut_at_first_record = true});
  full.write(Layout("('0','LINE')"), {});
  try {
    full.close();
    FAIL();
  } catch (const FatalError& e) {
    EXPECT_EQ(std::string(e.what()), "write failure, unit 2, file /dev/full");
  }
}

// The dialogue names the cause of a failed open in the words of the fatal
// report; the command line adds the system's own reason.
TEST(Files, FailedOpensMapToTheirConditionAndReason) {
  EXPECT_EQ(open_failure_condition(ENOENT, OpenMode::Existing), "file not found");
  EXPECT_EQ(open_failure_condition(ENOTDIR, OpenMode::Existing), "file not found");
  EXPECT_EQ(open_failure_condition(ENOENT, OpenMode::New), "open failure");
  for (const int error : {EACCES, EPERM, EROFS}) {
    EXPECT_EQ(open_failure_condition(error, OpenMode::New), "permission to access file denied");
  }
  EXPECT_EQ(open_failure_condition(ENAMETOOLONG, OpenMode::Replace), "file name specification error");
  EXPECT_EQ(open_failure_condition(EISDIR, OpenMode::Existing), "open failure");
  EXPECT_EQ(open_failure_condition(kNotRegularFile, OpenMode::Existing), "open failure");
  EXPECT_EQ(open_failure_reason(ENOENT), "No such file or directory");
  EXPECT_EQ(open_failure_reason(kNotRegularFile), "not a regular file");

  EXPECT_EQ(open_path("/dev/null", OpenMode::Existing).error, kNotRegularFile);
  EXPECT_EQ(open_path("/", OpenMode::Existing).error, EISDIR);
  EXPECT_EQ(open_path("", OpenMode::Existing).error, ENOENT);
}

TEST(Files, NamesAreTrimmedOfBlanks) {
  EXPECT_EQ(trim_blanks("  deck.dat   "), "deck.dat");
  EXPECT_EQ(trim_blanks("    "), "");
  EXPECT_EQ(absolute_path(" /tmp/x "), "/tmp/x");
  EXPECT_TRUE(file_exists(" /dev/null "));
}

}  // namespace
}  // namespace barlist::records
