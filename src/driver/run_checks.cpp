#include "driver/run_checks.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "records/files.h"

namespace barlist::driver {
namespace {

// A file as the system knows it: by device and inode when it exists,
// otherwise by the absolute path it would be created at.
struct Identity {
  bool exists = false;
  bool folder = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::string path;  // empty for a name that stands for no file

  bool same_as(const Identity& other) const {
    if (exists != other.exists || (!exists && (path.empty() || other.path.empty()))) return false;
    return exists ? device == other.device && inode == other.inode : path == other.path;
  }
};

Identity identify(const std::string& name) {
  Identity identity;
  struct stat info {};
  if (!name.empty() && ::stat(name.c_str(), &info) == 0) {
    identity.exists = true;
    identity.folder = S_ISDIR(info.st_mode);
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    return identity;
  }
  std::error_code error;
  identity.path = std::filesystem::weakly_canonical(std::filesystem::absolute(name, error), error).string();
  if (error) identity.path = name;
  return identity;
}

Identity identify(int fd) {
  Identity identity;
  struct stat info {};
  if (::fstat(fd, &info) == 0) {
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
  }
  return identity;
}

struct Output {
  std::string name;
  const char* what;  // "create the quantities file", "write the JSON record"...
  Identity identity;
};

}  // namespace

reports::Clock header_clock() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr) return reports::local_time_now;
  char* end = nullptr;
  errno = 0;
  const long long seconds = std::strtoll(epoch, &end, 10);
  // Up to the last second of the year 9999, the last a header can show.
  if (*epoch == '\0' || *end != '\0' || errno != 0 || seconds < 0 || seconds > 253402300799LL) {
    throw Refusal{"SOURCE_DATE_EPOCH: not a number of seconds since 1970"};
  }
  const reports::LocalTime time = reports::utc_time(seconds);
  return [time] { return time; };
}

records::FileDescriptor open_deck(const std::string& path) {
  records::OpenResult opened = records::open_path(path, records::OpenMode::Existing);
  if (!opened.fd) throw Refusal{path + ": cannot open the deck: " + records::open_failure_reason(opened.error)};
  // An empty deck has no card to read: say so before any report is made.
  struct stat info {};
  if (::fstat(opened.fd.get(), &info) == 0 && info.st_size == 0) throw Refusal{path + ": the deck is empty"};
  return std::move(opened.fd);
}

void check_outputs(const Options& options, int deck) {
  // A check writes no report: its names stand for no file.
  const Identity deck_file = identify(deck);
  const Identity quantities = options.check ? Identity{} : identify(options.quantities);
  const Identity bar_table = options.check ? Identity{} : identify(options.bar_table);
  // Said before "file exists", which would invite overwriting the deck.
  if (quantities.same_as(deck_file) || bar_table.same_as(deck_file)) {
    throw Refusal{options.deck + ": a report file cannot be the deck"};
  }
  if (!options.force && !options.check) {
    for (const std::string* report : {&options.quantities, &options.bar_table}) {
      struct stat info {};
      if (::stat(report->c_str(), &info) == 0) throw Refusal{*report + ": file exists (use --force to overwrite it)"};
    }
  }
  if (options.json && options.csv && *options.json == *options.csv) {
    throw Refusal{(*options.csv == "-" ? std::string("standard output") : *options.csv) +
                  ": the JSON record and the CSV schedule cannot share it"};
  }

  std::vector<Output> outputs;
  outputs.push_back({options.quantities, "create the quantities file", quantities});
  outputs.push_back({options.bar_table, "create the bar-table file", bar_table});
  for (const auto& [path, what] :
       {std::pair{&options.json, "write the JSON record"}, std::pair{&options.csv, "write the CSV schedule"}}) {
    if (*path && **path != "-") outputs.push_back({**path, what, identify(**path)});
  }
  for (const Output& output : outputs) {
    if (output.identity.folder) throw Refusal{output.name + ": cannot " + output.what + ": Is a directory"};
  }

  if (bar_table.same_as(quantities)) {
    throw Refusal{options.bar_table + ": the bar-table file cannot be the quantities file"};
  }
  for (std::size_t i = 2; i < outputs.size(); ++i) {
    const Identity& named = outputs[i].identity;
    if (named.same_as(deck_file) || named.same_as(quantities) || named.same_as(bar_table)) {
      throw Refusal{outputs[i].name + ": an export cannot be the deck or a report file"};
    }
  }
  if (outputs.size() == 4 && outputs[2].identity.same_as(outputs[3].identity)) {
    throw Refusal{outputs[3].name + ": the JSON record and the CSV schedule cannot share it"};
  }
}

}  // namespace barlist::driver
