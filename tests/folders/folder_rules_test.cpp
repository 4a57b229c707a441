// Reads every include under src/ and holds it to the folder rules written in
// src/folder_rules.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#ifndef BARLIST_SOURCE_DIR
#error "BARLIST_SOURCE_DIR must name the source folder"
#endif

namespace {

namespace fs = std::filesystem;
using Rules = std::map<std::string, std::set<std::string>>;

Rules read_rules(const fs::path& file) {
  Rules rules;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::istringstream allowed(line.substr(colon + 1));
    std::set<std::string>& folders = rules[line.substr(0, colon)];
    for (std::string folder; allowed >> folder;) folders.insert(folder);
  }
  return rules;
}

// The folders of src/ that a file includes from: `#include "deck/pass1.h"` gives "deck".
std::set<std::string> included_folders(const fs::path& file) {
  std::set<std::string> folders;
  std::ifstream in(file);
  const std::string directive = "#include \"";
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with(directive)) continue;
    const auto slash = line.find('/', directive.size());
    if (slash != std::string::npos) folders.insert(line.substr(directive.size(), slash - directive.size()));
  }
  return folders;
}

bool is_source(const fs::path& file) { return file.extension() == ".h" || file.extension() == ".cpp"; }

TEST(FolderRules, EveryIncludeUnderSrcIsAllowed) {
  const fs::path src = BARLIST_SOURCE_DIR;
  const Rules rules = read_rules(src / "folder_rules.txt");
  ASSERT_FALSE(rules.empty());
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file() || !is_source(entry.path())) continue;
    const fs::path relative = fs::relative(entry.path(), src);
    const std::string folder = relative.has_parent_path() ? relative.begin()->string() : "src";
    const auto rule = rules.find(folder);
    ASSERT_NE(rule, rules.end()) << "no rule for the folder " << folder;
    for (const std::string& included : included_folders(entry.path())) {
      if (included == folder || !fs::is_directory(src / included)) continue;  // its own, or a library's
      EXPECT_TRUE(rule->second.contains(included)) << relative.string() << " includes from " << included;
    }
    ++files;
  }
  EXPECT_GT(files, 50u);
}

// The rules themselves run one way: no folder may include from one that
// includes from it, however many steps away.
TEST(FolderRules, NoFolderReachesBackUp) {
  const Rules rules = read_rules(fs::path(BARLIST_SOURCE_DIR) / "folder_rules.txt");
  for (const auto& [folder, allowed] : rules) {
    std::set<std::string> reached;
    std::vector<std::string> todo(allowed.begin(), allowed.end());
    while (!todo.empty()) {
      const std::string next = todo.back();
      todo.pop_back();
      if (!reached.insert(next).second) continue;
      if (const auto rule = rules.find(next); rule != rules.end())
        todo.insert(todo.end(), rule->second.begin(), rule->second.end());
    }
    EXPECT_FALSE(reached.contains(folder)) << folder << " reaches itself";
  }
}

}  // namespace
