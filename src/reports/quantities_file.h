// The records of the quantities file, each written from its layout at the
// moment the deck reader reaches it.
#pragma once

#include <string_view>

#include "records/output_channel.h"
#include "reports/clock.h"
#include "reports/totals.h"

namespace barlist::reports {

class QuantitiesFile {
 public:
  explicit QuantitiesFile(records::OutputChannel& channel) : channel_(channel) {}

  // Problem header and column header, at each valid identification card.
  void problem_header(std::string_view problem_number, std::string_view title, const LocalTime& now);
  void unit_line(std::string_view unit_name, const UnitClose& unit);
  void lump_weight_line(float lump_weight, float ANOB);
  void vary_bar_line(int IBS, std::string_view IBM, float BARL, float ANOB);
  void subtotal_line(std::string_view subtotal_name, float STWT, float STCOST);
  void grand_total_line(float GTWT, float GTCOST);
  void premature_end();

 private:
  records::OutputChannel& channel_;
};

}  // namespace barlist::reports
