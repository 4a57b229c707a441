#include "engine/face.h"

#include <sstream>

#include "deck/deck_reader.h"
#include "engine/deck_run.h"
#include "exports/run_collector.h"

namespace barlist::engine {
namespace {

using diagnostics::Diagnostic;
using diagnostics::Severity;

// The last second of the year 9999, the last a report header can show.
constexpr std::int64_t kLatestEpoch = 253402300799LL;

// The findings and hints of a run, kept as the deck reader tells them.
class Findings final : public events::RunListener {
 public:
  explicit Findings(CheckResult& result) : result_(result) {}

  void item_weighed(const events::ItemWeighed& item) override {
    if (item.kind != cards::CardKind::LumpWeight) result_.hints.push_back({item.line, item.length_mm, item.weight_kg});
  }
  void deck_error(const events::DeckErrorFound& error) override {
    result_.diagnostics.push_back(diagnostics::diagnostic_of(error));
  }
  void warning(const events::Warning& warning) override {
    result_.diagnostics.push_back(diagnostics::diagnostic_of(warning));
  }
  void conversion_failed(const events::ConversionFailed& failure) override {
    result_.diagnostics.push_back(diagnostics::diagnostic_of(failure));
  }

 private:
  CheckResult& result_;
};

// A fault of the engine itself, told as a stop rather than thrown at the caller.
Diagnostic internal_error(const char* what) {
  return {Severity::Fatal, 0, 0, "fatal error", std::string("internal error: ") + what, {}};
}

template <typename Export>
std::string bytes_of(const Export& document) {
  std::ostringstream out;
  document.write(out);
  return std::move(out).str();
}

// A run that could not start or went no further: one fatal diagnostic.
CheckResult refused(std::string message) {
  CheckResult result;
  result.status = kFatal;
  result.diagnostics.push_back({Severity::Fatal, 0, 0, "fatal error", std::move(message), {}});
  result.summary = "1 error";
  return result;
}

}  // namespace

CheckResult check(std::string_view deck, const CheckOptions& options) {
  if (deck.empty()) return refused(options.deck + ": the deck is empty");
  if (options.epoch && (*options.epoch < 0 || *options.epoch > kLatestEpoch)) {
    return refused("the clock is not a number of seconds since 1970 that a report header can show");
  }
  RunSettings settings{.deck = options.deck,
                       .clock = reports::local_time_now,
                       .utc_offset = options.epoch ? 0 : reports::local_utc_offset(),
                       .check = options.check_only,
                       .strict = options.strict,
                       .json = options.json,
                       .csv = options.csv};
  if (options.epoch) {
    const reports::LocalTime time = reports::utc_time(*options.epoch);
    settings.clock = [time] { return time; };
  }

  CheckResult result;
  const bool reports = options.reports && !options.check_only;
  std::string quantities_bytes;
  std::string bar_table_bytes;
  std::optional<records::OutputChannel> quantities;
  std::optional<records::OutputChannel> bar_table;
  if (reports) {
    quantities.emplace(kQuantitiesUnit, "quantities", quantities_bytes,
                       records::OutputOptions{.discipline = records::LineDiscipline::Asa});
    bar_table.emplace(kBarTableUnit, "bar table", bar_table_bytes,
                      records::OutputOptions{.discipline = records::LineDiscipline::Plain});
  }
  DeckRun run(std::move(settings), quantities ? &*quantities : nullptr, bar_table ? &*bar_table : nullptr);
  Findings findings(result);
  run.add(findings);
  std::optional<exports::RunCollector> weighed;
  if (options.weights) run.add(weighed.emplace());
  records::InputChannel channel(kDeckUnit, options.deck, deck);
  try {
    run.run(channel);
    result.status = run.status();
  } catch (const records::FatalError& error) {
    result.diagnostics.push_back(fatal_diagnostic(error));
    result.status = kFatal;
  } catch (const std::exception& error) {
    result.diagnostics.push_back(internal_error(error.what()));
    result.status = kFatal;
  } catch (...) {
    result.diagnostics.push_back(internal_error("unknown"));
    result.status = kFatal;
  }
  if (result.status == kFatal) run.stopped(result.diagnostics.back().line);
  result.summary = run.summary().text();
  if (reports) {
    quantities->close();
    bar_table->close();
    result.quantities = std::move(quantities_bytes);
    result.bar_table = std::move(bar_table_bytes);
  }
  if (result.status != kFatal) {
    if (run.json() != nullptr) result.json = bytes_of(*run.json());
    if (run.csv() != nullptr) result.csv = bytes_of(*run.csv());
    if (weighed) result.weights = weights_view(weighed->record());
  }
  return result;
}

exports::RunRecord work_out(std::string_view deck, const std::string& name) {
  exports::RunCollector collector;
  if (deck.empty()) {
    collector.pass1_ended(true);
    return collector.record();
  }
  records::InputChannel channel(kDeckUnit, name, deck);
  deck::run_deck(channel, collector, {.warnings = false, .check = false});
  channel.close();
  return collector.record();
}

}  // namespace barlist::engine
