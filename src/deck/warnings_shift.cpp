// Cards whose fields stand one column off from some column on, as a blank
// inserted or a character dropped leaves them, and the blanks a tab stands
// for: both mended by moving the rest of the card, which no one can be sure
// of, so neither fix is safe.
#include <array>
#include <cstring>

#include "cards/descriptions.h"
#include "cards/used_columns.h"
#include "cards/wording.h"
#include "deck/number_shapes.h"
#include "deck/warnings.h"

namespace barlist::deck {
namespace {

using cards::CardField;
using cards::CardKind;
using cards::kBarFields;

constexpr CardField kHundreds = kBarFields.named("length in hundreds of mm");
constexpr CardField kMillimetres = kBarFields.named("length in mm");

// Columns a neat card holds a right-justified number in, or leaves blank.
struct Span {
  int first = 0;
  int last = 0;
  bool number = true;
};

struct Spans {
  std::array<Span, 24> list{};
  std::size_t count = 0;
  constexpr void add(Span span) { list.at(count++) = span; }
};

// The bar card's numbers, its length as one; the columns it does not read
// blank on a bar card, a number on a vary bar card (its average length).
constexpr void add_bar_spans(Spans& spans, bool length_read, bool gap_is_number) {
  for (const CardField& field : kBarFields) {
    if (!field.numeric || field.name == kMillimetres.name) continue;
    if (field.name == kHundreds.name) {
      spans.add({field.first, kMillimetres.last, length_read});
    } else {
      spans.add({field.first, field.last, true});
    }
  }
  for (const cards::ColumnRun& run : cards::unused_runs_of(CardKind::Bar)) {
    spans.add({run.first, run.last, gap_is_number});
  }
}

constexpr Spans spans_of(CardKind kind) {
  Spans spans;
  switch (kind) {
    case CardKind::Bar:
    case CardKind::StoreBar:
      add_bar_spans(spans, true, false);
      break;
    case CardKind::RecallBar:
      add_bar_spans(spans, false, false);
      break;
    case CardKind::VaryBar:
      add_bar_spans(spans, true, true);
      break;
    case CardKind::LumpWeight:
      for (const CardField& field : cards::kLumpWeightFields) spans.add({field.first, field.last, true});
      for (const cards::ColumnRun& run : cards::unused_runs_of(kind)) spans.add({run.first, run.last, false});
      break;
    default:
      break;  // cards led by text: the text would move with them
  }
  return spans;
}

constexpr auto kSpans = [] {
  std::array<Spans, cards::kKinds.size()> spans{};
  for (const cards::KindDescription& kind : cards::kKinds)
    spans[static_cast<std::size_t>(kind.kind)] = spans_of(kind.kind);
  return spans;
}();

bool neat(std::string_view text, const Span& span) {
  if (!span.number) {
    return text.substr(static_cast<std::size_t>(span.first - 1), static_cast<std::size_t>(span.last - span.first + 1))
               .find_first_not_of(' ') == std::string_view::npos;
  }
  return blank_or_neat(text, span.first, span.last);
}

bool all_neat(std::string_view text, const Spans& spans) {
  for (std::size_t i = 0; i < spans.count; ++i) {
    if (!neat(text, spans.list[i])) return false;
  }
  return true;
}

}  // namespace

void find_card_shift(const Card& card, std::vector<CardWarning>& found) {
  const Spans& spans = kSpans[static_cast<std::size_t>(card.kind())];
  const std::string_view text = card.text();
  int off = 0;
  int first_off_last = 0;
  for (std::size_t i = 0; i < spans.count; ++i) {
    if (neat(text, spans.list[i])) continue;
    if (off++ == 0) first_off_last = spans.list[i].last;
  }
  if (off < 2) return;
  const int end = static_cast<int>(text.find_last_not_of(' ')) + 1;  // the last column punched
  std::array<char, cards::kCardColumns> trial{};
  const std::string_view tried(trial.data(), trial.size());
  // A blank inserted at `inserted`: the card after it moved back left.
  int inserted = 0;
  for (int p = first_off_last; p >= 2 && inserted == 0; --p) {
    if (text[static_cast<std::size_t>(p - 1)] != ' ') continue;
    std::memcpy(trial.data(), text.data(), trial.size());
    std::memmove(trial.data() + p - 1, trial.data() + p, trial.size() - static_cast<std::size_t>(p));
    trial.back() = ' ';
    if (all_neat(tried, spans)) inserted = p;
  }
  // A character dropped before `dropped`: the card from there moved right.
  int dropped = 0;
  for (int p = std::min(first_off_last + 1, end); p > inserted && end < cards::kCardColumns && dropped == 0; --p) {
    std::memcpy(trial.data(), text.data(), trial.size());
    std::memmove(trial.data() + p, trial.data() + p - 1, trial.size() - static_cast<std::size_t>(p));
    trial[static_cast<std::size_t>(p - 1)] = ' ';
    if (p >= 2 && all_neat(tried, spans)) dropped = p;
  }
  if (dropped == 0 && inserted == 0) return;
  for (CardWarning& warning : found) {
    for (CardFix& fix : warning.fixes) fix.safe = false;
  }
  if (dropped > inserted) {
    const std::string from = cards::columns(dropped, dropped);
    found.push_back({dropped,
                     "the fields from " + from + " on stand one column to the left: a character dropped before it?",
                     "re-punch the card from " + from + " on one column to the right",
                     {{dropped, end + 1,
                       " " + std::string(text.substr(static_cast<std::size_t>(dropped - 1),
                                                     static_cast<std::size_t>(end - dropped + 1))),
                       false}}});
  } else if (inserted != 0) {
    const std::string after = cards::columns(inserted + 1, inserted + 1);
    found.push_back(
        {inserted,
         "the fields after " + cards::columns(inserted, inserted) +
             " stand one column to the right: a blank inserted there?",
         "re-punch the card from " + after + " on one column to the left",
         {{inserted, end,
           std::string(text.substr(static_cast<std::size_t>(inserted), static_cast<std::size_t>(end - inserted))) + " ",
           false}}});
  }
}

std::vector<CardFix> tab_fixes(std::string_view record, std::size_t tab) {
  if (tab == 0) return {};  // no card kind
  const CardKind kind = cards::kind_of(record[0]);
  const std::size_t start = record.find_first_not_of(' ', tab + 1);
  if (start == std::string_view::npos || start >= cards::kCardColumns || record[start] == '\t') return {};
  // The next text, and the number it begins with.
  const std::size_t stop = std::min(record.find_first_of(" \t", start), record.size());
  const std::string_view next = record.substr(start, stop - start);
  const std::size_t number = std::min(next.find_first_not_of("0123456789+-."), next.size());
  const int now = static_cast<int>(start) + 1;  // the column the text stands in
  // The first place at or after the tab's own column where it fits: a text
  // field's first column, a number right-justified in its field.
  int target = 0;
  const auto consider = [&](int first, int last, bool numeric) {
    const int width = last - first + 1;
    if (numeric && (number == 0 || static_cast<int>(number) > width)) return;
    const int place = numeric ? last - static_cast<int>(number) + 1 : first;
    if (place >= now - 1 && (target == 0 || place < target)) target = place;
  };
  const bool bar_columns = cards::gives_bar_mark(kind);
  for (const CardField& field : cards::fields_of(kind)) {
    if (!bar_columns || (field.name != kHundreds.name && field.name != kMillimetres.name))
      consider(field.first, field.last, field.numeric);
  }
  if (bar_columns) {
    // The bar card's columns, as the bar table lists every card that gives a
    // bar mark; its length one number.
    for (const CardField& field : kBarFields) {
      if (field.name == kHundreds.name) {
        consider(field.first, kMillimetres.last, true);
      } else if (field.name != kMillimetres.name) {
        consider(field.first, field.last, field.numeric);
      }
    }
  }
  if (target == 0) return {};
  const auto blanks = static_cast<std::size_t>(target - now + 1);
  // Nothing of the card pushed past its last column.
  const std::string_view card = record.substr(0, std::min(record.size(), std::size_t{cards::kCardColumns}));
  const std::size_t last = card.find_last_not_of(' ');
  if (last + blanks > cards::kCardColumns) return {};
  const int column = static_cast<int>(tab) + 1;
  return {{column, column, std::string(blanks, ' '), false}};
}

}  // namespace barlist::deck
