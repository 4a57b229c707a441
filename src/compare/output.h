// A comparison written out: as text for a person (see docs/compare.md) and
// as one JSON document for other programs.
#pragma once

#include <ostream>
#include <string>

#include "compare/comparison.h"

namespace barlist::compare {

// The two decks as the user named them.
struct Decks {
  std::string before;
  std::string after;
  bool before_empty = false;  // a file without a single card
  bool after_empty = false;
};

// Nothing at all when the decks do not differ, except a note of a deck whose
// reading an error ended. `color`: GCC's colours, added green, removed red,
// headings bold.
void write_text(std::ostream& out, const Comparison& comparison, const Decks& decks, bool color);

void write_json(std::ostream& out, const Comparison& comparison, const Decks& decks, const std::string& version);

}  // namespace barlist::compare
