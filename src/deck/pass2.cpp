#include "deck/pass2.h"

#include <algorithm>

#include "deck/card.h"
#include "records/fatal.h"
#include "reports/bar_table_file.h"

namespace barlist::deck {
namespace {

bool any_problem_listed(const RunTables& tables) {
  return std::any_of(tables.problems.begin() + 1, tables.problems.end(),
                     [](const ProblemRecord& p) { return !p.failed; });
}

}  // namespace

void run_pass2(const DeckChannels& channels, const RunTables& tables, events::RunListener& listener) {
  channels.deck.rewind();
  if (!any_problem_listed(tables)) return;
  auto record = channels.deck.next_record();
  if (!record || Card(*record).kind() != events::CardKind::Identification) return;

  reports::BarTableFile bar_table(channels.bar_table);
  // The problems are the identification cards that pass 1 opened, found by
  // their place in the deck, so both passes agree on every bar's problem
  // whatever stray or invalid cards stand between problems.
  std::size_t next_problem = 1;
  events::Line position = 0;
  bool listing = false;
  int NB = 0;
  for (; record; record = channels.deck.next_record()) {
    const Card card(*record);
    ++position;
    if (next_problem < tables.problems.size() && position == tables.problems[next_problem].opening_card) {
      const ProblemRecord& problem = tables.problems[next_problem++];
      listing = !problem.failed;
      NB = static_cast<int>(problem.start_NB);
      if (listing) listener.problem_listed(next_problem - 1);
      continue;
    }
    if (!listing) continue;
    switch (card.kind()) {
      case events::CardKind::Bar:
      case events::CardKind::StoreBar:
      case events::CardKind::RecallBar: {
        if (NB >= tables.bar_lengths.NB()) return;  // pass 1 filed no such bar
        const geometry::StoredPair length = tables.bar_lengths.at(++NB);
        bar_table.bar_line(card.text(), length.BARFT, length.BARIN);
        listener.card_listed(position);
        break;
      }
      case events::CardKind::VaryBar:
        bar_table.vary_bar_line(card.text());
        listener.card_listed(position);
        break;
      case events::CardKind::Unit:
        bar_table.unit_line(card.text());
        break;
      case events::CardKind::Comment:
        bar_table.comment_line(card.text());
        break;
      case events::CardKind::LineSkip:
        try {
          bar_table.blank_lines(decode_line_skip_count(channels.deck, card));
        } catch (records::FatalError& error) {
          error.set_line(position);
          throw;
        }
        break;
      case events::CardKind::LumpWeight:
      case events::CardKind::Subtotal:
        break;
      case events::CardKind::End:
      case events::CardKind::Identification:
        listing = false;
        break;
      case events::CardKind::Unknown:
        return;  // a card of no listed kind ends the table
    }
  }
}

}  // namespace barlist::deck
