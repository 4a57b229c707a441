#include "driver/options.h"

#include <CLI/CLI.hpp>

#include <filesystem>

namespace barlist::driver {
namespace {

constexpr const char* kDescription =
    "barlist extends and lists the reinforcing steel of a deck of bar cards: it checks every card, works out\n"
    "each bar's developed length, weights and costs, and writes the quantities file QTY and the bar-table\n"
    "file TAB. Without arguments it asks for the three file names instead.";

constexpr const char* kFooter =
    "Deck errors and warnings are reported on standard error as FILE:LINE:COLUMN: messages.\n"
    "Exit status: 0 the run completed and the deck has no error; 1 a fatal or usage error;\n"
    "2 the deck has errors (or warnings, with --strict).\n"
    "SOURCE_DATE_EPOCH, when set, fixes the date and time (UTC) printed in the reports.";

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

  CLI::App app(kDescription, "barlist");
  app.footer(kFooter);
  app.set_version_flag("-V,--version", "barlist " BARLIST_VERSION, "Print the version and exit");
  app.add_option("DECK", options.deck, "The deck of card images")->required()->type_name("");
  auto* quantities_option =
      app.add_option("QTY", quantities, "The quantities file (default: DECK with .qty)")->type_name("");
  auto* bar_table_option =
      app.add_option("TAB", bar_table, "The bar-table file (default: DECK with .tab)")->type_name("");
  app.add_flag("-f,--force", options.force, "Overwrite existing report files");
  app.add_flag("-q,--quiet", options.quiet, "Print nothing but fatal reports");
  app.add_flag("--strict", options.strict, "Count warnings as errors for the exit status");
  auto* json_option =
      app.add_option("--json", json, "Write the run as one JSON document to FILE (- for standard output)");
  auto* csv_option = app.add_option("--csv", csv, "Write the bar schedule as CSV to FILE (- for standard output)");
  json_option->type_name("FILE");
  csv_option->type_name("FILE");

  try {
    app.parse(argc, argv);
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
  return options;
}

}  // namespace barlist::driver
