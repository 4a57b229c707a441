// Two revisions of a deck compared from their bytes, as the command line and
// the page both make it: each worked out by the engine, nothing written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compare/output.h"

namespace barlist::compare {

struct RevisionComparison {
  bool differs = false;
  std::string json;  // the comparison's JSON document
};

// `decks` names the two revisions; whether one is empty is told by its bytes.
// A fatal stop in either deck is thrown as records::FatalError.
RevisionComparison compare_revisions(std::string_view before, std::string_view after, Decks decks,
                                     const std::string& version);

// The same comparison as its text's lines, each with its card, for the page
// (which then carries no JSON writer of its own).
struct RevisionText {
  bool differs = false;
  std::vector<TextLine> lines;
};

RevisionText compare_revisions_as_text(std::string_view before, std::string_view after, Decks decks);

}  // namespace barlist::compare
