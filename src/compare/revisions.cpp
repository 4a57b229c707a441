#include "compare/revisions.h"

#include <sstream>

#include "engine/face.h"

namespace barlist::compare {

namespace {

// `tell(comparison, decks)` on the two revisions worked out and compared.
template <typename Tell>
auto compared(std::string_view before, std::string_view after, Decks decks, Tell tell) {
  const exports::RunRecord old_run = engine::work_out(before, decks.before);
  const exports::RunRecord new_run = engine::work_out(after, decks.after);
  decks.before_empty = before.empty();
  decks.after_empty = after.empty();
  return tell(compare(old_run, new_run), decks);
}

}  // namespace

RevisionComparison compare_revisions(std::string_view before, std::string_view after, Decks decks,
                                     const std::string& version) {
  return compared(before, after, std::move(decks), [&](const Comparison& comparison, const Decks& named) {
    std::ostringstream json;
    write_json(json, comparison, named, version);
    return RevisionComparison{comparison.differs, std::move(json).str()};
  });
}

RevisionText compare_revisions_as_text(std::string_view before, std::string_view after, Decks decks) {
  return compared(before, after, std::move(decks), [](const Comparison& comparison, const Decks& named) {
    return RevisionText{comparison.differs, text_lines(comparison, named)};
  });
}

}  // namespace barlist::compare
