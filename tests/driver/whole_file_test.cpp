// The file-replacing seam with a writer that fails halfway: the target keeps
// its old bytes and no temporary file is left beside it.
#include "driver/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "barlist_run.hpp"

namespace barlist::driver {
namespace {

namespace fs = std::filesystem;

std::size_t entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}));
}

TEST(WholeFile, AWriterThatFailsHalfwayLeavesTheTargetAsItWas) {
  e2e::TempDir dir;
  const std::string target = (dir.path() / "out.json").string();
  e2e::write_file(target, "the earlier export");
  const std::string big(200000, 'x');  // more than one buffer: part of it reaches the temporary file

  EXPECT_THROW(write_whole_file(target,
                                [&](std::ostream& out) {
                                  out << big;
                                  throw std::runtime_error("the writer failed");
                                }),
               std::runtime_error);
  EXPECT_EQ(e2e::read_file(target), "the earlier export");
  EXPECT_EQ(entries(dir.path()), 1u);

  EXPECT_EQ(write_whole_file(target, [](std::ostream& out) { out.setstate(std::ios::badbit); }), EIO);
  EXPECT_EQ(e2e::read_file(target), "the earlier export");
  EXPECT_EQ(entries(dir.path()), 1u);

  EXPECT_EQ(write_whole_file(target, [&](std::ostream& out) { out << big; }), 0);
  EXPECT_EQ(e2e::read_file(target), big);
  EXPECT_EQ(entries(dir.path()), 1u);
}

}  // namespace
}  // namespace barlist::driver
