#include "driver/dialogue.h"

namespace barlist::driver {
namespace {

constexpr records::Layout kNameReply{"(A36)"};
constexpr records::Layout kYesNoReply{"(A1)"};

}  // namespace

std::optional<std::array<char, 36>> ask_name(Console& console, const records::Layout& prompt) {
  console.output().write(prompt, {});
  const auto record = console.input().next_record();
  if (!record) return std::nullopt;
  std::array<char, 36> name{};
  console.input().decode(*record, kNameReply, {name});
  return name;
}

bool confirm_overwrite(Console& console) {
  console.standard_output().list_write(
      {"OUTPUT FILE ALREADY EXISTS. ", " DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) "});
  std::array<char, 1> reply{};
  console.standard_input().read_record(kYesNoReply, {reply});
  return reply[0] == 'Y' || reply[0] == 'y';
}

void say_exiting(Console& console) { console.standard_output().list_write({"EXITING PROGRAM"}); }

}  // namespace barlist::driver
