// Keeps a run's events as a RunRecord, the common ground of the JSON record
// and the CSV schedule: each writes its file from the record once the run
// has ended.
#pragma once

#include <vector>

#include "events/run_listener.h"
#include "exports/run_record.h"

namespace barlist::exports {

class RunCollector : public events::RunListener {
 public:
  void problem_opened(const events::ProblemOpened& e) override;
  void item_weighed(const events::ItemWeighed& e) override;
  void unit_closed(const events::UnitClosed& e) override;
  void subtotal_written(const events::SubtotalWritten& e) override;
  void problem_ended(const events::ProblemEnded& e) override;
  void deck_error(const events::DeckErrorFound& e) override;
  void warning(const events::Warning& e) override;
  void conversion_failed(const events::ConversionFailed& e) override;
  void pass1_ended(bool complete) override;
  void problem_listed(std::size_t index) override;
  void card_listed(const events::CardListed& e) override;
  void run_ended() override { record_.summary = summary_.text(); }

  const RunRecord& record() const { return record_; }

 private:
  Problem* current_problem();
  Problem* problem_at(std::size_t index);
  // Items that no unit close took up go to the problem they were read in.
  void set_aside_pending_items();

  RunRecord record_;
  std::vector<Item> pending_items_;  // weighed since the last unit close
  std::size_t listing_problem_ = 0;
  diagnostics::RunSummary summary_;
};

}  // namespace barlist::exports
