// The deck errors: one table holding, for each, its number, its message and
// which of problem, unit and bar it names. How a report prints them is the
// report's business (reports/error_lines.h).
#pragma once

#include <stdexcept>
#include <string_view>

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

// What an error names besides its message, in order: each names all those
// before it too.
enum class ErrorFields { None, Problem, ProblemUnit, ProblemUnitBar };

struct DeckErrorEntry {
  DeckError error;
  std::string_view message;
  ErrorFields fields;
};

inline constexpr DeckErrorEntry kDeckErrors[] = {
    {DeckError::PrematureEnd, "PREMATURE END OF FILE", ErrorFields::None},
    {DeckError::NoIdentificationCard, "NO IDENTIFICATION CARD", ErrorFields::None},
    {DeckError::NoUnitCard, "NO UNIT CARD", ErrorFields::Problem},
    {DeckError::NumberOfUnitsNotGiven, "NO. OF UNITS NOT GIVEN", ErrorFields::ProblemUnit},
    {DeckError::IllegalCode, "ILLEGAL CODE", ErrorFields::ProblemUnit},
    {DeckError::IllegalBarSize, "ILLEGAL BAR SIZE", ErrorFields::ProblemUnitBar},
    {DeckError::BarLengthNotGiven, "BAR LENGTH NOT GIVEN", ErrorFields::ProblemUnitBar},
    {DeckError::IllegalBarType, "ILLEGAL BAR TYPE", ErrorFields::ProblemUnitBar},
    {DeckError::IllegalHookStyle, "ILLEGAL HOOK STYLE", ErrorFields::ProblemUnitBar},
    {DeckError::ErroneousDimension, "ERRONEOUS DIMENSION", ErrorFields::ProblemUnitBar},
    {DeckError::IllegalAngle, "ILLEGAL ANGLE", ErrorFields::ProblemUnitBar},
    {DeckError::CountBelowTwo, "N 1S LESS THAN 2", ErrorFields::ProblemUnitBar},
    {DeckError::IllegalParabola, "ILLEGAL PARABOLA", ErrorFields::ProblemUnitBar},
    {DeckError::NumberOfBarsNotGiven, "NO. OF BARS NOT GIVEN", ErrorFields::ProblemUnitBar},
    {DeckError::LumpWeightNotGiven, "LUMP WEIGHT NOT GIVEN", ErrorFields::ProblemUnit},
    {DeckError::IllegalRecallBar, "ILLEGAL RECALL BAR", ErrorFields::ProblemUnitBar},
    {DeckError::AlphabeticData, "ALPHABETIC DATA IN NUMERIC FIELD", ErrorFields::None},
    {DeckError::TooManyBars, "TOO MANY BARS; BREAK INTO TWO RUNS.", ErrorFields::None},
    {DeckError::TooManyStoreBars, "TOO MANY STORE BARS; USE TWO RUNS.", ErrorFields::None},
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
// "ILLEGAL HOOK STYLE", "TOO MANY BARS; BREAK INTO TWO RUNS.", "PREMATURE END OF FILE".
constexpr std::string_view message(DeckError error) { return entry(error).message; }
constexpr ErrorFields fields_of(DeckError error) { return entry(error).fields; }

// What an error names besides its message, said once for the quantities
// file, the diagnostics and the JSON record.
struct ErrorNames {
  bool problem = false;
  bool unit = false;
  bool bar = false;  // its size and mark
};
constexpr ErrorNames names_of(ErrorFields fields) {
  return {fields >= ErrorFields::Problem, fields >= ErrorFields::ProblemUnit, fields >= ErrorFields::ProblemUnitBar};
}
constexpr ErrorNames names_of(DeckError error) { return names_of(fields_of(error)); }

// Errors 19 and 20 end the run and are told on the console, not the quantities file.
constexpr bool ends_run(DeckError error) {
  return error == DeckError::TooManyBars || error == DeckError::TooManyStoreBars;
}

}  // namespace barlist::events
