// Single-precision quantities written for other programs: the shortest
// decimal that reads back to the same float, so 605.49f is written 605.49,
// not the 605.489990234375 its double widening would show.
#pragma once

#include <string>

namespace barlist::exports {

// Fixed notation, no exponent: "605.49", "3", "-0.5", "1000000"; "inf" or
// "nan" for a value that is not finite.
std::string shortest_text(float value);

// The double nearest to shortest_text(value): a JSON writer that prints
// doubles in their shortest form then prints the float's shortest form.
double shortest_double(float value);

}  // namespace barlist::exports
