// Figures of a comparison as the reports print them: weights in whole
// kilograms, costs to the cent, through the record layer's fields; and the
// values of a card's fields as punched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "exports/run_record.h"

namespace barlist::compare {

std::string whole_kg(float weight_kg);  // "7098"; asterisks when the report's field cannot hold it
std::string dollars(float cost);        // "13254.30"
std::string price(float price_per_kg);  // "1.85"
std::string units(float count);         // a unit's number of like units, truncated as printed

// The figure as printed, in whole kilograms or cents; none when it prints as asterisks.
std::optional<std::int64_t> printed_kg(float weight_kg);
std::optional<std::int64_t> printed_cents(float cost);

// A count, length, dimension or lump weight: "4250", "12.5".
std::string value(float number);

}  // namespace barlist::compare
