// The engine as the page calls it: the command-line run on a deck that the
// page has put in Emscripten's in-memory file system, and what barlist reads
// at a column of a card. Texts go back as C strings the page copies at once.
#include <emscripten/emscripten.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "barlist_version.h"
#include "driver/command_line.h"
#include "web/card_fields.h"

namespace {

std::string stderr_text;  // what the last run wrote on standard error
std::string answer;       // the last JSON answer

const char* json_answer(const nlohmann::json& json) {
  answer = json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return answer.c_str();
}

// Standard error as a file of the in-memory file system while it lives: the
// run writes its diagnostics through std::cerr and its fatal reports straight
// to descriptor 2, and both land in it in the order written.
class CapturedStandardError {
 public:
  CapturedStandardError() {
    const int file = ::open(kPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (file < 0) return;
    saved_ = ::dup(STDERR_FILENO);
    ::dup2(file, STDERR_FILENO);
    ::close(file);
  }
  CapturedStandardError(const CapturedStandardError&) = delete;
  CapturedStandardError& operator=(const CapturedStandardError&) = delete;
  ~CapturedStandardError() { text(); }

  // What was written, once; standard error is its own again afterwards.
  std::string text() {
    if (saved_ < 0) return {};
    std::cerr.flush();
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
    std::ifstream file(kPath, std::ios::binary);
    std::ostringstream written;
    written << file.rdbuf();
    ::unlink(kPath);
    return written.str();
  }

 private:
  static constexpr const char* kPath = "/tmp/barlist-standard-error";
  int saved_ = -1;
};

nlohmann::json span_json(const barlist::web::FieldSpan& span) {
  return {{"name", span.name}, {"first", span.first_column}, {"last", span.last_column}};
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* barlist_version() { return BARLIST_VERSION; }

// Runs `barlist --force --color=never --json DECK.json --csv DECK.csv DECK
// DECK.qty DECK.tab` in the current folder (standard error is captured, never
// a terminal), the clock fixed by `epoch` (seconds, UTC) unless it
// is empty; returns the exit status.
EMSCRIPTEN_KEEPALIVE int barlist_run(const char* deck, const char* stem, const char* epoch) {
  if (*epoch != '\0') {
    ::setenv("SOURCE_DATE_EPOCH", epoch, 1);
  } else {
    ::unsetenv("SOURCE_DATE_EPOCH");
  }
  const std::string base(stem);
  std::vector<std::string> args{"barlist",     "--force", "--color=never", "--json",     base + ".json", "--csv",
                                base + ".csv", deck,      base + ".qty",   base + ".tab"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  CapturedStandardError captured;
  int status = 1;
  try {
    status = barlist::driver::run_command_line(static_cast<int>(args.size()), argv.data());
  } catch (...) {
    std::cerr << "barlist: internal error\n";
  }
  stderr_text = captured.text();
  return status;
}

EMSCRIPTEN_KEEPALIVE const char* barlist_stderr() { return stderr_text.c_str(); }

// {"kind": "bar card", "field": {"name", "first", "last"}, "value": "4600" or null}
EMSCRIPTEN_KEEPALIVE const char* barlist_field_at(const char* line, int column) {
  const barlist::web::FieldAtColumn at = barlist::web::field_at(line, column);
  nlohmann::json json{{"kind", at.card_kind}, {"field", span_json(at.field)}, {"value", nullptr}};
  if (at.value) json["value"] = *at.value;
  return json_answer(json);
}

// [{"name", "first", "last"}...] for the card kind of column 1.
EMSCRIPTEN_KEEPALIVE const char* barlist_card_fields(int column1) {
  nlohmann::json spans = nlohmann::json::array();
  for (const auto& span : barlist::web::card_fields(static_cast<char>(column1))) spans.push_back(span_json(span));
  return json_answer(spans);
}

}  // extern "C"
