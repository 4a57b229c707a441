#include "exports/csv_schedule.h"

#include <gtest/gtest.h>

#include <sstream>

#include "sample_run.h"

namespace barlist::exports {
namespace {

TEST(CsvSchedule, OneRowPerListedCardWithTheFiguresUsed) {
  CsvSchedule schedule;
  testing::feed_sample_run(schedule);
  std::ostringstream out;
  schedule.write(out);
  EXPECT_EQ(out.str(),
            "problem,unit,line,card,size,mark,count,type,hook_a,hook_g,a,b,c,d,e,f,t1,t2,n1,angle,length_mm,weight_kg,"
            "units\r\n"
            "P201,\"CAP, \"\"NORTH\"\"\",4,bar,25,F01,24,10,1,1,6000,0,0,0,0,0,0,0,0,0,6350,605.49,3\r\n"
            "P201,\"CAP, \"\"NORTH\"\"\",6,vary,13,V01,8,,,,,,,,,,,,,,1875.5,14.91,3\r\n"
            "P201,\"CAP, \"\"NORTH\"\"\",7,bar,25,F02,2,0,0,0,0,0,0,0,0,0,0,0,0,0,4000,31.78,3\r\n");
}

TEST(CsvSchedule, AListedCardPassOneDidNotWeighKeepsItsRow) {
  CsvSchedule schedule;
  schedule.problem_opened({1, 1, "P201", "", 1});
  schedule.pass1_ended(true);
  schedule.problem_listed(1);
  schedule.card_listed({5, cards::CardKind::RecallBar, "", 0, 0, 1});
  schedule.run_ended();
  std::ostringstream out;
  schedule.write(out);
  EXPECT_TRUE(out.str().ends_with("\r\nP201,,5,,,,,,,,,,,,,,,,,,,,\r\n"));
}

}  // namespace
}  // namespace barlist::exports
