// The command line: barlist [OPTIONS] DECK [QTY [TAB]].
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <variant>

namespace barlist::driver {

// When diagnostics are coloured: as GCC and Clang do, only on a terminal by
// default, and never when NO_COLOR is set.
enum class Color { Auto, Always, Never };

struct Options {
  std::string deck;
  std::string quantities;     // DECK with its extension replaced by .qty when not given
  std::string bar_table;      // DECK with its extension replaced by .tab when not given
  bool force = false;         // overwrite existing report files
  bool quiet = false;         // nothing but fatal reports
  bool strict = false;        // warnings count as errors for the exit status
  bool check = false;         // read and check the deck, write no report
  bool caret = true;          // show the card and a caret under each diagnostic
  bool fix = false;           // write the deck back with its safe fixes applied
  bool unsafe_fixes = false;  // with fix or diff: the unsafe fixes too
  bool diff = false;          // print the fixes as a unified diff; write nothing
  Color color = Color::Auto;
  std::optional<std::string> json;  // "-" for standard output
  std::optional<std::string> csv;
};

// The options of a run, or the exit status when the command line asked for
// help or the version (printed on `out`) or was wrong (a line and a hint on
// `err`).
std::variant<Options, int> parse_options(int argc, char** argv, std::ostream& out, std::ostream& err);

// "pier.deck" gives "pier.qty"; a name without an extension gets one.
std::string with_extension(const std::string& name, const char* extension);

}  // namespace barlist::driver
