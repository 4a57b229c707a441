#include "driver/options.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <initializer_list>
#include <memory>

#include "barlist_version.h"

namespace barlist::driver {
namespace {

// Help lines stay within 80 columns.
constexpr const char* kDescription =
    "barlist extends and lists the reinforcing steel of a deck of bar cards: it\n"
    "checks every card, works out each bar's developed length, weights and costs,\n"
    "and writes the quantities file QTY and the bar-table file TAB. Without\n"
    "arguments it asks for the three file names instead.";

constexpr const char* kFooter =
    "Deck errors, warnings and notes are reported on standard error as\n"
    "FILE:LINE:COLUMN: messages; NO_COLOR, when set, turns colour off.\n"
    "Exit status: 0 the run completed and the deck has no error; 1 a fatal or\n"
    "usage error; 2 the deck has errors (or warnings, with --strict).\n"
    "barlist compare OLD NEW tells what changed between two revisions; its\n"
    "statuses are diff's: 0 no difference, 1 differences, 2 trouble.\n"
    "SOURCE_DATE_EPOCH, when set, fixes the date and time (UTC) of the reports.";

// Fixing takes the deck alone: it writes no report and no export.
void check_fix_mode(const CLI::Option& fix, const CLI::Option& unsafe, const CLI::Option& diff,
                    std::initializer_list<const CLI::Option*> others) {
  const CLI::Option& mode = diff.count() > 0 ? diff : fix;
  if (unsafe.count() > 0 && mode.count() == 0) throw CLI::ValidationError("--unsafe-fixes", "needs --fix or --diff");
  if (mode.count() == 0) return;
  for (const CLI::Option* other : others) {
    if (other->count() == 0) continue;
    throw CLI::ValidationError(mode.get_name(), "takes the deck alone, not " + other->get_name());
  }
}

// The usage line as the manual writes it (the bar-table file only after the
// quantities file), and "--color[=WHEN]" with its value joined to the name.
class Formatter final : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string name) const override {
    return "Usage: " + name + " [OPTIONS] DECK [QTY [TAB]]\n";
  }
  std::string make_option_opts(const CLI::Option* option) const override {
    const std::string& value = option->get_type_name();
    if (option->get_type_size() == 0 || value.empty()) return {};
    return value.front() == '[' ? value : " " + value;
  }
};

}  // namespace

std::string with_extension(const std::string& name, const char* extension) {
  return std::filesystem::path(name).replace_extension(extension).string();
}

std::variant<Options, int> parse_options(int argc, char** argv, std::ostream& out, std::ostream& err) {
  Options options;
  std::string quantities;
  std::string bar_table;
  std::string json;
  std::string csv;
  std::string color = "auto";
  bool no_caret = false;

  CLI::App app(kDescription, "barlist");
  app.footer(kFooter);
  app.formatter(std::make_shared<Formatter>());
  app.get_formatter()->column_width(24);
  app.set_version_flag("-V,--version", "barlist " BARLIST_VERSION, "Print the version and exit");
  app.add_option("DECK", options.deck, "The deck of card images")->required()->type_name("");
  auto* quantities_option = app.add_option("QTY", quantities, "Quantities file (default: DECK with .qty)");
  auto* bar_table_option = app.add_option("TAB", bar_table, "Bar-table file (default: DECK with .tab)");
  quantities_option->type_name("");
  bar_table_option->type_name("");
  app.add_flag("-n,--check", options.check, "Read and check the deck; write no report");
  app.add_flag("-f,--force", options.force, "Overwrite existing report files");
  app.add_flag("-q,--quiet", options.quiet, "Print nothing but fatal reports");
  app.add_flag("--strict", options.strict, "Count warnings as errors in the status");
  auto* json_option = app.add_option("--json", json, "Write the run as JSON to FILE (-: stdout)");
  auto* csv_option = app.add_option("--csv", csv, "Write the bar schedule as CSV to FILE (-: stdout)");
  json_option->type_name("FILE");
  csv_option->type_name("FILE");
  app.add_flag("--no-caret", no_caret, "No card and caret under a diagnostic");
  auto* color_option = app.add_option("--color", color, "Colour: always (alone), auto (a terminal), never");
  color_option->type_name("[=WHEN]")->expected(0, 1);
  auto* fix_option = app.add_flag("--fix", options.fix, "Write DECK back with every safe fix applied");
  auto* unsafe_option = app.add_flag("--unsafe-fixes", options.unsafe_fixes, "With --fix or --diff: unsafe fixes too");
  auto* diff_option = app.add_flag("--diff", options.diff, "Print the fixes as a unified diff; write nothing");

  try {
    app.parse(argc, argv);
    // "--color" alone asks for colour, as GCC's does.
    if (color_option->count() > 0 && (color_option->results().empty() || color.empty())) color = "always";
    if (color != "auto" && color != "always" && color != "never") {
      throw CLI::ValidationError("--color", "WHEN is auto, always or never, not '" + color + "'");
    }
    check_fix_mode(*fix_option, *unsafe_option, *diff_option,
                   {quantities_option, bar_table_option, json_option, csv_option, app.get_option("--check")});
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion&) {
    out << "barlist " BARLIST_VERSION "\n";
    return 0;
  } catch (const CLI::ParseError& error) {
    err << "barlist: " << error.what() << "\nTry 'barlist --help' for more information.\n";
    return 1;
  }
  options.quantities = quantities_option->count() > 0 ? quantities : with_extension(options.deck, ".qty");
  options.bar_table = bar_table_option->count() > 0 ? bar_table : with_extension(options.deck, ".tab");
  if (json_option->count() > 0) options.json = json;
  if (csv_option->count() > 0) options.csv = csv;
  options.caret = !no_caret;
  options.color = color == "always" ? Color::Always : color == "never" ? Color::Never : Color::Auto;
  return options;
}

}  // namespace barlist::driver
