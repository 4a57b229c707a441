#include "records/format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "records/fields.h"

namespace barlist::records {
namespace {

// Hands out the values one data item at a time, splitting text runs into cells.
class ValueCursor {
 public:
  explicit ValueCursor(std::span<const Value> values) : values_(values) {}

  bool done() const { return index_ >= values_.size(); }
  std::size_t taken() const { return taken_; }

  // The current value, and for text the current cell of it.
  const Value& value() const { return values_[index_]; }
  std::string_view cell() const {
    const Value& v = value();
    const std::size_t start = cell_ * v.cell();
    return v.text().substr(start, std::min(v.cell(), v.text().size() - start));
  }

  void advance() {
    ++taken_;
    if (++cell_ >= value().cell_count()) {
      cell_ = 0;
      ++index_;
    }
  }

 private:
  std::span<const Value> values_;
  std::size_t index_ = 0;
  std::size_t cell_ = 0;
  std::size_t taken_ = 0;
};

class RecordBuilder {
 public:
  explicit RecordBuilder(RecordSink& sink) : sink_(sink) { start(); }

  void start() {
    std::memset(buffer_.data(), ' ', buffer_.size());
    pointer_ = 0;
    high_water_ = 0;
  }

  // Room for `width` columns at the pointer; past the buffer's end the
  // characters go nowhere (no layout of the system comes near it).
  char* reserve(int width) {
    static char scratch[1024];  // widths are at most 1000
    char* at = pointer_ + width <= kMaxRecordColumns ? buffer_.data() + pointer_ : scratch;
    pointer_ = std::min(pointer_ + width, kMaxRecordColumns);
    high_water_ = std::max(high_water_, pointer_);
    return at;
  }

  void skip(int columns) { pointer_ = std::min(pointer_ + columns, kMaxRecordColumns); }

  void literal(const Item& item) {
    char* out = reserve(item.width);
    if (!item.doubled_quotes) {
      std::memcpy(out, item.text.data(), item.text.size());
      return;
    }
    for (std::size_t i = 0; i < item.text.size(); ++i) {
      *out++ = item.text[i];
      if (item.text[i] == '\'') ++i;  // a doubled quote stands for one
    }
  }

  void field(const Item& item, ValueCursor& values) {
    char* out = reserve(item.width);
    const Value& v = values.value();
    switch (item.kind) {
      case ItemKind::Text:
        if (v.kind() != Value::Kind::Text) throw std::logic_error("text field given a number");
        put_text(out, item.width, values.cell());
        break;
      case ItemKind::Integer:
        if (v.kind() != Value::Kind::Integer) throw std::logic_error("integer field given another value");
        put_integer(out, item.width, v.integer());
        break;
      case ItemKind::Real:
        if (v.kind() != Value::Kind::Real) throw std::logic_error("real field given another value");
        put_real(out, item.width, item.decimals, v.real());
        break;
      default:
        break;
    }
    values.advance();
  }

  void finish(bool line_end) {
    sink_.emit(std::string_view(buffer_.data(), static_cast<std::size_t>(high_water_)), line_end);
    start();
  }

 private:
  RecordSink& sink_;
  std::array<char, kMaxRecordColumns> buffer_;
  int pointer_ = 0;
  int high_water_ = 0;
};

struct OpenGroup {
  int open;
  int remaining;
};

}  // namespace

void format_records(const Layout& layout, std::span<const Value> values, RecordSink& sink) {
  const std::span<const Item> items = layout.items();
  const int count = static_cast<int>(items.size());
  ValueCursor cursor(values);
  RecordBuilder record(sink);
  std::array<OpenGroup, Layout::kMaxItems> groups;
  int depth = 0;
  bool line_end = true;
  int i = 0;
  for (;;) {
    if (i == count) {
      // Values left over: the record ends and the layout starts again at its
      // last outermost group, if that part has data items to take them.
      if (cursor.done() || !layout.reads_again_after_restart()) break;
      record.finish(true);
      i = layout.restart_index();
      depth = 0;
      continue;
    }
    const Item& item = items[static_cast<std::size_t>(i)];
    if (Layout::is_field(item.kind)) {
      int r = 0;
      for (; r < item.repeat && !cursor.done(); ++r) record.field(item, cursor);
      if (r < item.repeat) break;  // values used up: stop at this data item
      ++i;
      continue;
    }
    switch (item.kind) {
      case ItemKind::Literal:
        record.literal(item);
        break;
      case ItemKind::Skip:
        record.skip(item.width);
        break;
      case ItemKind::Slash:
        record.finish(true);
        break;
      case ItemKind::Dollar:
        line_end = false;
        break;
      case ItemKind::GroupOpen:
        groups[static_cast<std::size_t>(depth++)] = {i, item.repeat};
        break;
      case ItemKind::GroupClose:
        if (--groups[static_cast<std::size_t>(depth - 1)].remaining > 0) {
          i = groups[static_cast<std::size_t>(depth - 1)].open;  // ++i below enters the group again
        } else {
          --depth;
        }
        break;
      default:
        break;
    }
    ++i;
  }
  record.finish(line_end);
}

}  // namespace barlist::records
