#include "compare/revisions.h"

#include <sstream>

#include "engine/face.h"

namespace barlist::compare {

RevisionComparison compare_revisions(std::string_view before, std::string_view after, Decks decks,
                                     const std::string& version) {
  const exports::RunRecord old_run = engine::work_out(before, decks.before);
  const exports::RunRecord new_run = engine::work_out(after, decks.after);
  decks.before_empty = before.empty();
  decks.after_empty = after.empty();
  const Comparison comparison = compare(old_run, new_run);
  std::ostringstream json;
  write_json(json, comparison, decks, version);
  return {comparison.differs, std::move(json).str(), text_lines(comparison, decks)};
}

}  // namespace barlist::compare
