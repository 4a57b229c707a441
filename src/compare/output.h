// A comparison written out: as text for a person (see docs/compare.md) and
// as one JSON document for other programs.
#pragma once

#include <ostream>
#include <string>
#include <vector>

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

// A line of the text with the card it tells of, for a page that links each
// line to the new revision's deck: `kind` is "added", "removed", "changed",
// "note" or "deck"; `go_to` the card in the new revision (a removed card's
// unit or problem there; 0 for none); `marked` when that card is itself one
// added or changed.
struct TextLine {
  int indent = 0;
  std::string text;
  std::string kind;
  events::Line go_to = 0;
  bool marked = false;
};

std::vector<TextLine> text_lines(const Comparison& comparison, const Decks& decks);

void write_json(std::ostream& out, const Comparison& comparison, const Decks& decks, const std::string& version);

}  // namespace barlist::compare
