#include "deck/conversion_place.h"

#include "deck/cards.h"
#include "records/fatal.h"
#include "records/text.h"

namespace barlist::deck {
namespace {

using events::CardKind;

// True when the card, as its kind, decodes without a conversion error.
bool converts(const Card& card) {
  const records::InputChannel& deck = decoding_channel();
  try {
    switch (card.kind()) {
      case CardKind::Identification:
        decode_identification(deck, card);
        break;
      case CardKind::Unit:
        decode_unit(deck, card);
        break;
      case CardKind::Bar:
      case CardKind::StoreBar:
        decode_bar(deck, card);
        break;
      case CardKind::RecallBar:
        decode_recall(deck, card);
        break;
      case CardKind::VaryBar:
        decode_vary_bar(deck, card);
        break;
      case CardKind::LumpWeight:
        decode_lump_weight(deck, card);
        break;
      case CardKind::LineSkip:
        decode_line_skip_count(deck, card);
        break;
      default:
        break;
    }
  } catch (const records::FatalError&) {
    return false;
  }
  return true;
}

// The card with every column from `column` on blanked.
Card cut_at(const Card& card, int column) {
  std::string text(card.text());
  for (std::size_t i = static_cast<std::size_t>(column - 1); i < text.size(); ++i) text[i] = ' ';
  text[0] = card.text()[0];
  return Card(text);
}

std::string columns(const cards::CardField& field) {
  return field.first == field.last ? "column " + std::to_string(field.first)
                                   : "columns " + std::to_string(field.first) + "-" + std::to_string(field.last);
}

}  // namespace

const records::InputChannel& decoding_channel() {
  static const records::InputChannel channel(4, "deck", records::FileDescriptor::borrow(-1));
  return channel;
}

events::ConversionFailed conversion_failure(const Card& card, events::Line line, std::string_view record,
                                            std::string consequence) {
  events::ConversionFailed failure{line, 0, "", record, std::move(consequence)};
  // The first column whose character, with nothing after it, stops the card
  // converting: it lies in the field at fault.
  for (int column = 2; column <= static_cast<int>(kCardColumns); ++column) {
    if (converts(cut_at(card, column + 1))) continue;
    failure.column = column;
    failure.message = "the card does not read as numbers";
    if (const cards::CardField* field = cards::fields_of(card.kind()).at_column(column)) {
      failure.message = "\"" + records::trimmed(field->text(card.text())) + "\" in the " + std::string(field->name) +
                        " (" + columns(*field) + ") is not a number";
    }
    break;
  }
  return failure;
}

void locate(records::FatalError& error, const events::ConversionFailed& failure) {
  error.set_line(failure.line);
  error.locate(failure.column, failure.message, std::string(failure.record),
               "the run stops here; " + failure.consequence);
}

}  // namespace barlist::deck
