// The quantities file: each record written from its layout at the moment the
// deck reader tells of what it stands for. Errors 19 and 20 are not written
// here: they end the run and are told on the console.
#pragma once

#include <string_view>

#include "events/run_listener.h"
#include "records/output_channel.h"
#include "reports/clock.h"

namespace barlist::reports {

class QuantitiesFile final : public events::RunListener {
 public:
  QuantitiesFile(records::OutputChannel& channel, Clock clock) : channel_(channel), clock_(std::move(clock)) {}

  // Problem header and column header, with the clock read once per header.
  void problem_opened(const events::ProblemOpened& problem) override;
  void vary_bar_read(const events::VaryBarRead& vary) override;
  // A lump weight card's line; other cards have none of their own.
  void item_weighed(const events::ItemWeighed& item) override;
  void unit_closed(const events::UnitClosed& unit) override;
  void subtotal_written(const events::SubtotalWritten& subtotal) override;
  void problem_ended(const events::ProblemEnded& end) override;
  // The error line and, but for a premature end, the echo of the card.
  void deck_error(const events::DeckErrorFound& error) override;
  // The file is complete: a disk that cannot take it stops the run here,
  // before the bar table is written.
  void pass1_ended(bool complete) override;

 private:
  records::OutputChannel& channel_;
  Clock clock_;
};

}  // namespace barlist::reports
