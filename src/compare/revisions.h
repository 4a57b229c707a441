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
  std::string json;             // the comparison's JSON document
  std::vector<TextLine> lines;  // its text, each line with its card
};

// `decks` names the two revisions; whether one is empty is told by its bytes.
// A fatal stop in either deck is thrown as records::FatalError.
RevisionComparison compare_revisions(std::string_view before, std::string_view after, Decks decks,
                                     const std::string& version);

}  // namespace barlist::compare
