#include "deck/conversion_place.h"

#include <type_traits>
#include "cards/decode.h"
#include "cards/descriptions.h"
#include "cards/wording.h"

#include "records/fatal.h"
#include "records/text.h"

namespace barlist::deck {
namespace {

// The field of the card that does not convert, as its description reports
// it; null when the card converts.
const cards::CardField* failing_field(const Card& card) {
  return cards::with_description(
      card.kind(),
      [&card](const auto& description) {
        typename std::remove_cvref_t<decltype(description)>::Card decoded;
        return cards::decode(description, card.text(), decoded).failed;
      },
      static_cast<const cards::CardField*>(nullptr));
}

// Whether the field's text reads as its number.
bool reads(const cards::CardField& field, std::string_view text) {
  if (field.integer) {
    std::int32_t value = 0;
    return records::read_integer(text, value) == records::ReadStatus::Ok;
  }
  float value = 0;
  return records::read_real(text, field.decimals, value) == records::ReadStatus::Ok;
}

// The first column of the field whose character stops the number: the field
// with every column after it blanked no longer reads.
int stopping_column(const cards::CardField& field, std::string_view card) {
  std::string text(field.text(card));
  for (std::size_t cut = text.size(); cut-- > 0;) {
    const std::string kept = text.substr(0, cut + 1) + std::string(text.size() - cut - 1, ' ');
    if (reads(field, kept)) return field.first + static_cast<int>(cut) + 1;
  }
  return field.first;
}

}  // namespace

events::ConversionFailed conversion_failure(const Card& card, events::Line line, std::string_view record,
                                            std::string consequence) {
  events::ConversionFailed failure{line, 0, "", record, std::move(consequence)};
  if (const cards::CardField* field = failing_field(card)) {
    failure.column = stopping_column(*field, card.text());
    failure.message = "\"" + records::trimmed(field->text(card.text())) + "\" in the " + std::string(field->name) +
                      " (" + cards::columns(*field) + ") is not a number";
  }
  return failure;
}

void locate(records::FatalError& error, const events::ConversionFailed& failure) {
  error.set_line(failure.line);
  error.locate(failure.column, failure.message, std::string(failure.record),
               "the run stops here; " + failure.consequence);
}

}  // namespace barlist::deck
