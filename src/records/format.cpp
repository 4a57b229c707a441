#include "records/format.h"

#include "records/record_writer.h"
#include "records/walk.h"

namespace barlist::records {

void format_records(const Layout& layout, std::span<const Value> values, RecordSink& sink) {
  RecordBuffer<RecordSink> buffer(sink);
  RecordWriter<RecordBuffer<RecordSink>> writer(layout, values, buffer);
  walk(layout, writer);
  writer.finish();
}

}  // namespace barlist::records
