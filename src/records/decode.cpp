#include "records/decode.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "records/format.h"

namespace barlist::records {
namespace {

// Hands out the targets one data item at a time, splitting text runs into cells.
class TargetCursor {
 public:
  explicit TargetCursor(std::span<const Target> targets) : targets_(targets) {}

  bool done() const { return index_ >= targets_.size(); }
  const Target& target() const { return targets_[index_]; }
  char* cell_text() const { return target().text() + cell_ * target().cell(); }
  std::size_t cell_length() const {
    const Target& t = target();
    return std::min(t.cell(), t.length() - cell_ * t.cell());
  }

  void advance() {
    if (++cell_ >= target().cell_count()) {
      cell_ = 0;
      ++index_;
    }
  }

 private:
  std::span<const Target> targets_;
  std::size_t index_ = 0;
  std::size_t cell_ = 0;
};

// The `width` columns of `record` from `column` (0-based), blank past its end.
std::string_view field_at(std::string_view record, int column, int width, std::array<char, 1024>& padded) {
  const auto start = static_cast<std::size_t>(column);
  const auto w = static_cast<std::size_t>(width);
  if (start + w <= record.size()) return record.substr(start, w);
  std::memset(padded.data(), ' ', w);
  if (start < record.size()) std::memcpy(padded.data(), record.data() + start, record.size() - start);
  return std::string_view(padded.data(), w);
}

ReadStatus read_field(const Item& item, std::string_view field, TargetCursor& targets) {
  const Target& t = targets.target();
  ReadStatus status = ReadStatus::Ok;
  switch (t.kind()) {
    case Target::Kind::Text:
      get_text(field, targets.cell_text(), targets.cell_length());
      break;
    case Target::Kind::Integer:
      status = read_integer(field, *t.integer());
      break;
    case Target::Kind::Real:
      status = read_real(field, item.kind == ItemKind::Real ? item.decimals : 0, *t.real());
      break;
  }
  targets.advance();
  return status;
}

class CellSink : public RecordSink {
 public:
  explicit CellSink(std::span<char> cell) : cell_(cell) {}
  void emit(std::string_view record, bool) override {
    if (written_) return;
    written_ = true;
    const std::size_t n = std::min(record.size(), cell_.size());
    std::memcpy(cell_.data(), record.data(), n);
    std::memset(cell_.data() + n, ' ', cell_.size() - n);
  }

 private:
  std::span<char> cell_;
  bool written_ = false;
};

struct OpenGroup {
  int open;
  int remaining;
};

}  // namespace

ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets) {
  struct BlankRecords : RecordSource {
    std::string_view following_record() override { return {}; }
  } blank;
  return decode_fields(record, layout, targets, blank);
}

ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets,
                         RecordSource& more) {
  const std::span<const Item> items = layout.items();
  const int count = static_cast<int>(items.size());
  TargetCursor cursor(targets);
  std::array<char, 1024> padded;
  std::array<OpenGroup, Layout::kMaxItems> groups;
  int depth = 0;
  int column = 0;
  int i = 0;
  while (!cursor.done()) {
    if (i == count) {
      if (!layout.reads_again_after_restart()) break;
      record = more.following_record();
      column = 0;
      i = layout.restart_index();
      depth = 0;
      continue;
    }
    const Item& item = items[static_cast<std::size_t>(i)];
    switch (item.kind) {
      case ItemKind::Text:
      case ItemKind::Integer:
      case ItemKind::Real:
        for (int r = 0; r < item.repeat && !cursor.done(); ++r) {
          const ReadStatus status = read_field(item, field_at(record, column, item.width, padded), cursor);
          column += item.width;
          if (status != ReadStatus::Ok) return status;
        }
        break;
      case ItemKind::Skip:
        column += item.width;
        break;
      case ItemKind::Slash:
        record = more.following_record();
        column = 0;
        break;
      case ItemKind::GroupOpen:
        groups[static_cast<std::size_t>(depth++)] = {i, item.repeat};
        break;
      case ItemKind::GroupClose:
        if (--groups[static_cast<std::size_t>(depth - 1)].remaining > 0) {
          i = groups[static_cast<std::size_t>(depth - 1)].open;
        } else {
          --depth;
        }
        break;
      default:  // literals and $ have no meaning on input
        break;
    }
    ++i;
  }
  return ReadStatus::Ok;
}

void encode_fields(std::span<char> cell, const Layout& layout, const Value& value) {
  CellSink sink(cell);
  format_records(layout, std::span<const Value>(&value, 1), sink);
}

}  // namespace barlist::records
