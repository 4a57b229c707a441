#include "sample_run.h"

#include <string>

namespace barlist::exports::testing {

using cards::CardKind;

void feed_sample_run(events::RunListener& l) {
  const std::string cap = "CAP, \"NORTH\"    ";  // 16 columns
  const std::string footing = "FOOTING         ";
  geometry::BarShape hooked{.IBS = 25, .ITYPE = 10, .IA = 1, .IG = 1, .A = 6000};
  geometry::BarShape punched{.IBS = 25, .LFT = 40, .LIN = 0};

  l.problem_opened({1, 1, "P201", "PIER CAPS" + std::string(59, ' '), 1.85f});
  // Weighed after an end card or an error left no unit open: no unit's weight.
  l.item_weighed({2, CardKind::Bar, "OLD UNIT        ", 25, "X01", 1, 100, 0, 0.4f, &punched, 0, 1});
  l.item_weighed({4, CardKind::Bar, cap, 25, "F01", 24, 6350, 0, 605.49f, &hooked, 1, 2});
  l.item_weighed({5, CardKind::LumpWeight, cap, 0, "   ", 4, 0, 12.5f, 50, nullptr, 1, 0});
  l.vary_bar_read({6, 13, "V01", 1875.5f, 8});
  l.item_weighed({6, CardKind::VaryBar, cap, 13, "V01", 8, 1875.5f, 0, 14.91f, nullptr, 1, 3});
  l.item_weighed({7, CardKind::Bar, cap, 25, "F02", 2, 4000, 0, 31.78f, &punched, 1, 4});
  l.unit_closed({3, 1, cap, {702, 3, 2106, 1.85f, 3896.1f}});
  l.subtotal_written({8, "CAPS            ", 2106, 3896.1f});
  l.problem_ended({9, 2106, 3896.1f});

  l.problem_opened({10, 2, "A102", "ABUTMENT" + std::string(60, ' '), 2.10f});
  l.item_weighed({12, CardKind::Bar, footing, 29, "F02", 10, 2000, 0, 101.2f, &punched, 2, 1});
  const std::string card = " 29F03        20      1044  9600" + std::string(48, ' ');
  l.deck_error({events::DeckError::IllegalHookStyle, 13, 25, 2, "A102", footing, 29, "F03", card, card});
  l.warning({13, 13, "COUNT PUNCHED AT THE LEFT", card});
  l.deck_error({events::DeckError::PrematureEnd, 13, 0, 2, "A102", footing, 29, "F03", "", ""});
  l.pass1_ended(true);

  l.problem_listed(1);
  const std::string unit_card = "UCAP" + std::string(76, ' ');
  l.card_listed({3, CardKind::Unit, unit_card, 0, 0, 0});  // not a bar: no schedule row
  int entry = 1;  // the card on line 2, not listed here, was the first bar mark
  for (const auto& [line, kind] : {std::pair{4, CardKind::Bar}, {6, CardKind::VaryBar}, {7, CardKind::Bar}}) {
    l.card_listed({static_cast<events::Line>(line), kind, card, 0, 0, ++entry});
  }
  l.run_ended();
}

}  // namespace barlist::exports::testing
