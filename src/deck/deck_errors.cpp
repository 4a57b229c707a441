#include "deck/deck_errors.h"

namespace barlist::deck {
namespace {

using records::Layout;
using records::Value;

constexpr Layout kError1{"('1','ERROR 1, NO IDENTIFICATION CARD')"};
constexpr Layout kError2{"('0','ERROR 2, NO UNIT CARD, PROBLEM ',A4)"};
constexpr Layout kError3{"('0','ERROR 3, NO. OF UNITS NOT GIVEN, PROBLEM ',A4,1X,4A4)"};
constexpr Layout kError4{"('0','ERROR 4, ILLEGAL CODE, PROBLEM ',A4,1X,4A4)"};
constexpr Layout kError5{"('0','ERROR 5, ILLEGAL BAR SIZE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError7{"('0','ERROR 7, BAR LENGTH NOT GIVEN, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError8{"('0','ERROR 8, ILLEGAL BAR TYPE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError9{"('0','ERROR 9, ILLEGAL HOOK STYLE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError10{"('0','ERROR 10, ERRONEOUS DIMENSION, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError11{"('0','ERROR 11, ILLEGAL ANGLE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError12{"('0','ERROR 12, N 1S LESS THAN 2, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError13{"('0','ERROR 13, ILLEGAL PARABOLA, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError14{"('0','ERROR 14, NO. OF BARS NOT GIVEN, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError15{"('0','ERROR 15, LUMP WEIGHT NOT GIVEN, PROBLEM ',A4,1X,4A4)"};
constexpr Layout kError16{"('0','ERROR 16, ILLEGAL RECALL BAR, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"};
constexpr Layout kError18{"('0','ERROR 18, ALPHABETIC DATA IN NUMERIC FIELD')"};
constexpr Layout kError19{"('0','ERROR 19, TOO MANY BARS; BREAK INTO TWO RUNS.')"};
constexpr Layout kError20{"('0','ERROR 20, TOO MANY STORE BARS; USE TWO RUNS.')"};
constexpr Layout kCardEcho{"(' ',80A1)"};

const Layout& error_layout(int number) {
  switch (number) {
    case 1: return kError1;
    case 2: return kError2;
    case 3: return kError3;
    case 4: return kError4;
    case 5: return kError5;
    case 7: return kError7;
    case 8: return kError8;
    case 9: return kError9;
    case 10: return kError10;
    case 11: return kError11;
    case 12: return kError12;
    case 13: return kError13;
    case 14: return kError14;
    case 15: return kError15;
    case 16: return kError16;
    case 19: return kError19;
    case 20: return kError20;
    default: return kError18;
  }
}

// How many of the fields problem, unit and bar (size and mark) each error line shows.
std::size_t fields_shown(int number) {
  switch (number) {
    case 1:
    case 18:
    case 19:
    case 20: return 0;
    case 2: return 1;
    case 3:
    case 4:
    case 15: return 2;
    default: return 4;
  }
}

}  // namespace

void report_deck_error(records::OutputChannel& quantities, int number, const ErrorContext& context, const Card& card) {
  const std::string_view mark(context.bar.IBM.data(), context.bar.IBM.size());
  const Value fields[] = {context.problem_number, Value::cells(context.unit_name, 4), context.bar.IBS, mark};
  quantities.write(error_layout(number), std::span<const Value>(fields, fields_shown(number)));
  quantities.write(kCardEcho, {Value::cells(card.text(), 1)});
}

void report_capacity_error(records::OutputChannel& console, int number) { console.write(error_layout(number), {}); }

}  // namespace barlist::deck
