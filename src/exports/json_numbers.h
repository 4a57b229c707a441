// The run's figures as JSON numbers, alike in every document barlist writes:
// the run record and the comparison of two runs.
#pragma once

#include <nlohmann/json.hpp>

namespace barlist::exports {

// A computed quantity: its shortest single-precision form; null when not finite.
nlohmann::ordered_json json_real(float value);
// A count, length or dimension: an integer when whole (as nearly always),
// otherwise the real a decimal point on the card gave.
nlohmann::ordered_json json_number(float value);
// A figure the quantities file prints in an integer field: truncated. One
// too wide for the field (printed as asterisks there) is given truncated as a real.
nlohmann::ordered_json json_whole_figure(float value);

}  // namespace barlist::exports
