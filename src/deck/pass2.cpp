#include "deck/pass2.h"

#include <algorithm>

#include "deck/card.h"
#include "deck/conversion_place.h"
#include "records/fatal.h"

namespace barlist::deck {
namespace {

using cards::CardKind;

const std::string kBarTableStops = "the quantities file is whole; the bar table ends before this card";

bool any_problem_listed(const RunTables& tables) {
  return std::any_of(tables.problems.begin() + 1, tables.problems.end(),
                     [](const ProblemRecord& p) { return !p.failed; });
}

}  // namespace

void run_pass2(records::InputChannel& deck, const RunTables& tables, events::RunListener& listener, bool check) {
  deck.rewind();
  if (!any_problem_listed(tables)) return;
  auto record = deck.next_record();
  if (!record || Card(*record).kind() != CardKind::Identification) return;

  // The problems are the identification cards that pass 1 opened, found by
  // their place in the deck, so both passes agree on every bar's problem
  // whatever stray or invalid cards stand between problems.
  std::size_t next_problem = 1;
  events::Line position = 0;
  bool listing = false;
  int NB = 0;
  int bar_marks = 0;  // counted as pass 1 counted the cards it weighed
  for (; record; record = deck.next_record()) {
    const Card card(*record);
    ++position;
    if (next_problem < tables.problems.size() && position == tables.problems[next_problem].opening_card) {
      const ProblemRecord& problem = tables.problems[next_problem++];
      listing = !problem.failed;
      NB = static_cast<int>(problem.start_NB);
      bar_marks = 0;
      if (listing) listener.problem_listed(next_problem - 1);
      continue;
    }
    if (!listing) continue;
    const CardKind kind = card.kind();
    events::CardListed listed{position, kind, card.text(), 0, 0, cards::gives_bar_mark(kind) ? ++bar_marks : 0};
    if (cards::takes_bar_length(kind)) {
      if (NB >= tables.bar_lengths.NB()) return;  // pass 1 filed no such bar
      const geometry::StoredPair length = tables.bar_lengths.at(++NB);
      listed.length_mm = length.millimetres();
    }
    switch (kind) {
      case CardKind::LineSkip:
        try {
          listed.lines_to_skip = decode_line_skip_count(deck, card);
        } catch (records::FatalError& error) {
          const events::ConversionFailed failure = conversion_failure(card, position, *record, kBarTableStops);
          if (check) {
            listener.conversion_failed(failure);
            continue;
          }
          locate(error, failure);
          throw;
        }
        break;
      case CardKind::LumpWeight:
      case CardKind::Subtotal:
        continue;
      case CardKind::End:
      case CardKind::Identification:
        listing = false;
        continue;
      case CardKind::Unknown:
        return;  // a card of no listed kind ends the table
      default:
        break;
    }
    listener.card_listed(listed);
  }
}

}  // namespace barlist::deck
