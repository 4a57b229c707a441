#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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

TEST_F(Channels, ConfirmedFileIsCutOnlyWhenAFirstRecordArrives) {
  const std::string path = file("old");
  store(path, "old contents that are longer\n");
  {
    OutputChannel out(3, path, open_file(3, path, OpenMode::ExistingForWriting), {.cut_at_first_record = true});
  }
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
  store(path, "AB\nCD\nEF\nGH\n");
  InputChannel in(4, path, open_file(4, path, OpenMode::Existing));
  std::array<char, 2> first{}, second{}, third{};
  in.read_record(Layout("(A2,/,A2)"), {first, second});
  EXPECT_EQ(std::string(second.data(), 2), "CD");
  in.read_record(Layout("(A2)"), {first, second});  // targets left: the layout starts again on the next record
  EXPECT_EQ(std::string(first.data(), 2), "EF");
  EXPECT_EQ(std::string(second.data(), 2), "GH");
  EXPECT_THROW(in.read_record(Layout("(A2)"), {third}), FatalError);
}

TEST_F(Channels, ALongLineIsReadInPiecesAcrossTheBuffer) {
  const std::string path = file("long");
  store(path, std::string(200000, 'y') + "\n" + "next\n");
  InputChannel in(4, path, open_file(4, path, OpenMode::Existing));
  EXPECT_EQ(in.read_record().size(), InputChannel::kMaxColumns);
  EXPECT_EQ(in.read_record(), "next");
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
