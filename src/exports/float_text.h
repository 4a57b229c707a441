// Single-precision quantities written for other programs: the shortest
// decimal that reads back to the same float, so 605.49f is written 605.49,
// not the 605.489990234375 its double widening would show.
#pragma once

#include <string>

namespace barlist::exports {

// Fixed notation, no exponent: "605.49", "3", "-0.5", "1000000"; a whole
// float from 2^24 up with every digit of its value ("33584768"); "inf" or
// "nan" for a value that is not finite.
std::string shortest_text(float value);

// The double nearest to shortest_text(value), for a reader that takes doubles.
double shortest_double(float value);

// The significant digits of a finite float and where its decimal point
// stands: value = 0.DIGITS x 10^point. The float's own shortest digits below
// 2^24; from there up, where every float is whole, the shortest digits of its
// exact value, as a reader of doubles would write it.
struct Digits {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; empty for zero
  int point = 0;
};
Digits shortest_digits(float value);

}  // namespace barlist::exports
