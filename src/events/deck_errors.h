// The deck errors: one table holding, for each, its number and the layout of
// its line (carriage control, fixed text and the fields that follow it). The
// message text and the fields shown are read off the layout, so each text is
// written once.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "records/layout.h"

namespace barlist::events {

enum class DeckError {
  PrematureEnd = 0,  // the deck ends inside a problem; it has no number of its own
  NoIdentificationCard = 1,
  NoUnitCard = 2,
  NumberOfUnitsNotGiven = 3,
  IllegalCode = 4,
  IllegalBarSize = 5,
  BarLengthNotGiven = 7,
  IllegalBarType = 8,
  IllegalHookStyle = 9,
  ErroneousDimension = 10,
  IllegalAngle = 11,
  CountBelowTwo = 12,
  IllegalParabola = 13,
  NumberOfBarsNotGiven = 14,
  LumpWeightNotGiven = 15,
  IllegalRecallBar = 16,
  AlphabeticData = 18,
  TooManyBars = 19,
  TooManyStoreBars = 20,
};

struct DeckErrorEntry {
  DeckError error;
  records::Layout line;  // the error line, on the quantities file or (19, 20) the console
};

// Problem number (A4), unit name (1X,4A4) and bar size and mark (' BAR',I3,A3)
// follow the fixed text of most lines, in that order.
inline constexpr DeckErrorEntry kDeckErrors[] = {
    {DeckError::PrematureEnd, records::Layout{"(' PREMATURE END OF FILE')"}},
    {DeckError::NoIdentificationCard, records::Layout{"('1','ERROR 1, NO IDENTIFICATION CARD')"}},
    {DeckError::NoUnitCard, records::Layout{"('0','ERROR 2, NO UNIT CARD, PROBLEM ',A4)"}},
    {DeckError::NumberOfUnitsNotGiven, records::Layout{"('0','ERROR 3, NO. OF UNITS NOT GIVEN, PROBLEM ',A4,1X,4A4)"}},
    {DeckError::IllegalCode, records::Layout{"('0','ERROR 4, ILLEGAL CODE, PROBLEM ',A4,1X,4A4)"}},
    {DeckError::IllegalBarSize, records::Layout{"('0','ERROR 5, ILLEGAL BAR SIZE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::BarLengthNotGiven,
     records::Layout{"('0','ERROR 7, BAR LENGTH NOT GIVEN, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::IllegalBarType, records::Layout{"('0','ERROR 8, ILLEGAL BAR TYPE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::IllegalHookStyle,
     records::Layout{"('0','ERROR 9, ILLEGAL HOOK STYLE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::ErroneousDimension,
     records::Layout{"('0','ERROR 10, ERRONEOUS DIMENSION, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::IllegalAngle, records::Layout{"('0','ERROR 11, ILLEGAL ANGLE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::CountBelowTwo, records::Layout{"('0','ERROR 12, N 1S LESS THAN 2, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::IllegalParabola,
     records::Layout{"('0','ERROR 13, ILLEGAL PARABOLA, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::NumberOfBarsNotGiven,
     records::Layout{"('0','ERROR 14, NO. OF BARS NOT GIVEN, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::LumpWeightNotGiven, records::Layout{"('0','ERROR 15, LUMP WEIGHT NOT GIVEN, PROBLEM ',A4,1X,4A4)"}},
    {DeckError::IllegalRecallBar,
     records::Layout{"('0','ERROR 16, ILLEGAL RECALL BAR, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"}},
    {DeckError::AlphabeticData, records::Layout{"('0','ERROR 18, ALPHABETIC DATA IN NUMERIC FIELD')"}},
    {DeckError::TooManyBars, records::Layout{"('0','ERROR 19, TOO MANY BARS; BREAK INTO TWO RUNS.')"}},
    {DeckError::TooManyStoreBars, records::Layout{"('0','ERROR 20, TOO MANY STORE BARS; USE TWO RUNS.')"}},
};

constexpr const DeckErrorEntry& entry(DeckError error) {
  for (const DeckErrorEntry& e : kDeckErrors) {
    if (e.error == error) return e;
  }
  // Only a number cast from outside the enum lands here; the run ends with a
  // report of the program's own fault.
  throw std::logic_error("a deck error without an entry in the table");
}

constexpr int number(DeckError error) { return static_cast<int>(error); }

// The line of the error as a layout.
constexpr const records::Layout& error_line(DeckError error) { return entry(error).line; }

// Which of problem, unit and bar the line shows (each is one data item of its layout).
enum class ErrorFields { None = 0, Problem = 1, ProblemUnit = 2, ProblemUnitBar = 4 };
constexpr ErrorFields fields_of(DeckError error) {
  int data_items = 0;
  for (const records::Item& item : error_line(error).items())
    data_items += records::Layout::is_field(item.kind) ? 1 : 0;
  return static_cast<ErrorFields>(data_items);
}

// The error's text without its number and without the fields' lead-in:
// "ILLEGAL HOOK STYLE", "TOO MANY BARS; BREAK INTO TWO RUNS.", "PREMATURE END OF FILE".
constexpr std::string_view message(DeckError error) {
  const auto items = error_line(error).items();
  // The carriage control is a literal of its own, or the first character of the only one.
  std::string_view text = items.size() > 1 ? items[1].text : items[0].text.substr(1);
  if (text.starts_with("ERROR ")) text.remove_prefix(text.find(", ") + 2);
  if (text.ends_with(", PROBLEM ")) text.remove_suffix(std::string_view(", PROBLEM ").size());
  return text;
}

// Errors 19 and 20 end the run and are told on the console, not the quantities file.
constexpr bool ends_run(DeckError error) {
  return error == DeckError::TooManyBars || error == DeckError::TooManyStoreBars;
}

static_assert(message(DeckError::IllegalHookStyle) == "ILLEGAL HOOK STYLE");
static_assert(message(DeckError::PrematureEnd) == "PREMATURE END OF FILE");
static_assert(fields_of(DeckError::IllegalBarSize) == ErrorFields::ProblemUnitBar);
// The bar geometry reports its errors by number: each has its line.
static_assert([] {
  for (const int n : {5, 7, 8, 9, 10, 11, 12, 13}) entry(static_cast<DeckError>(n));
  return true;
}());

}  // namespace barlist::events
