// The numbered deck errors and the lines that report them.
#pragma once

#include <string_view>

#include "deck/card.h"
#include "deck/cards.h"
#include "records/output_channel.h"

namespace barlist::deck {

// The problem, unit and bar that were current when the error was found.
struct ErrorContext {
  std::string_view problem_number;  // 4 characters
  std::string_view unit_name;       // 16 characters
  const BarLabel& bar;
};

// Errors 1 to 18: the error line and the echo of the card on the quantities file.
void report_deck_error(records::OutputChannel& quantities, int number, const ErrorContext& context, const Card& card);

// Errors 19 and 20: the capacity message on the console.
void report_capacity_error(records::OutputChannel& console, int number);

}  // namespace barlist::deck
