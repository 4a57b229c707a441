#include "geometry/developed_length.h"

#include <vector>

#include <gtest/gtest.h>

namespace barlist::geometry {
namespace {

struct Case {
  const char* what;
  BarShape bar;
  float BARL;  // exact single-precision result
};

void expect_lengths(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const DevelopedLength got = developed_length(c.bar);
    EXPECT_EQ(got.failure, ShapeFailure::none) << c.what;
    EXPECT_EQ(got.BARL, c.BARL) << c.what;
  }
}

// Whole-number sums and hook allowances are exact in float.
TEST(DevelopedLength, StraightLegsAndHooks) {
  expect_lengths({
      {"2", {.IBS = 10, .ITYPE = 2, .A = 1200, .B = 300, .C = 450}, 1950},
      {"26", {.IBS = 10, .ITYPE = 26, .A = 100, .B = 200, .C = 300}, 1200},
      {"48", {.IBS = 10, .ITYPE = 48, .A = 100, .B = 200, .C = 300, .D = 400, .E = 500, .F = 600, .T1 = 700}, 2800},
      {"9 at 16/1", {.IBS = 16, .ITYPE = 9, .IA = 1, .A = 1000}, 1175},
      {"10 at 13/3,5", {.IBS = 13, .ITYPE = 10, .IA = 3, .IG = 5, .A = 1000}, 1315},
      {"10 style 6 adds 0", {.IBS = 10, .ITYPE = 10, .IA = 6, .IG = 1, .A = 1000}, 1125},
      {"25 at 25/4,5", {.IBS = 25, .ITYPE = 25, .IA = 4, .IG = 5, .A = 1000, .B = 500}, 3680},
      {"39 at 57/1,3", {.IBS = 57, .ITYPE = 39, .IA = 1, .IG = 3, .A = 100, .B = 200, .C = 300}, 3275},
  });
}

// Arcs and the PI multiples, by hand in float: k*200 = 3.490658, times 90 = 314.15918;
// PI*100 = 314.1593; 1.141593*1000 = 1141.593; 1.570796*1000 = 1570.7960.
TEST(DevelopedLength, ArcsAndCircles) {
  expect_lengths({
      {"11", {.IBS = 10, .ITYPE = 11, .A = 1000, .B = 200, .C = 500, .ANGLE = 90}, 1814.15918f},
      // k*300 = 5.2359872, times 135 = 706.85828, + 1500 + HOOKG 300.
      {"17", {.IBS = 19, .ITYPE = 17, .IG = 3, .A = 1000, .B = 300, .C = 500, .ANGLE = 45}, 2506.8584f},
      // k * (400*90 + 200*60) = k * 48000 = 837.75793, + 600.
      {"18",
       {.IBS = 10, .ITYPE = 18, .A = 100, .B = 400, .C = 200, .D = 200, .E = 300, .N1 = 120, .ANGLE = 90},
       1437.75793f},
      {"19", {.IBS = 10, .ITYPE = 19, .A = 100, .B = 200, .C = 300, .D = 1000}, 1741.59302f},
      {"27", {.IBS = 10, .ITYPE = 27, .A = 500, .B = 100, .C = 250}, 1878.3186f},
      {"29", {.IBS = 10, .ITYPE = 29, .A = 500, .B = 100, .C = 250}, 1064.1593f},
      {"33", {.IBS = 10, .ITYPE = 33, .A = 500, .B = 100}, 1128.3186f},
      {"51 at 13/1,5",
       {.IBS = 13, .ITYPE = 51, .IA = 1, .IG = 5, .A = 100, .B = 1000, .C = 200, .D = 300, .E = 400},
       2835.7959f},
  });
}

// Right-angled legs of 3-4-5 and 5-12-13 shape give exact roots.
TEST(DevelopedLength, SlopedLegs) {
  expect_lengths({
      {"15", {.IBS = 10, .ITYPE = 15, .IA = 1, .A = 100, .B = 300, .C = 200, .D = 400, .E = 300, .F = 400}, 2125},
      {"22", {.IBS = 10, .ITYPE = 22, .IG = 3, .A = 100, .B = 200, .C = 600, .D = 800}, 1450},
      {"35", {.IBS = 10, .ITYPE = 35, .IA = 6, .IG = 6, .A = 300, .B = 600, .C = 5, .D = 800, .E = 400, .F = 12}, 1513},
      {"52",
       {.IBS = 10,
        .ITYPE = 52,
        .IA = 3,
        .IG = 3,
        .A = 10,
        .B = 30,
        .C = 60,
        .D = 20,
        .E = 80,
        .F = 40,
        .T1 = 30,
        .T2 = 40},
       550},
      {"53", {.IBS = 10, .ITYPE = 53, .IA = 1, .IG = 1, .A = 300, .B = 100, .C = 400, .D = 200}, 2850},
  });
}

TEST(DevelopedLength, ChordArcAndHelix) {
  expect_lengths({
      // h = 50, root = sqrt(7500) = 86.602539, atan(0.57735026) = 0.52359879, times 200.
      {"13", {.IBS = 10, .ITYPE = 13, .A = 100, .B = 100}, 104.719757f},
      // PI*300 = 942.47791, root of 888264.625 + 10000 = 947.76825, *1000/100 = 9477.6826,
      // + (PI*2)*300 = 1884.9558.
      {"45", {.IBS = 10, .ITYPE = 45, .A = 1000, .B = 100, .C = 300, .N1 = 2}, 11362.6387f},
  });
}

// N1 = 3. Type 42: X = 1700, Y = 400, 400 / cos(60 deg) = 799.99988 (cosine 0.50000006).
// Type 43: X = 1000, M = 4, root 500. Type 44: X = 1900, Y = 500 -> 999.99988.
TEST(DevelopedLength, RepeatedLegs) {
  expect_lengths({
      {"42",
       {.IBS = 10,
        .ITYPE = 42,
        .A = 100,
        .B = 200,
        .C = 300,
        .D = 400,
        .E = 500,
        .F = 2100,
        .T1 = 50,
        .T2 = 60,
        .N1 = 3,
        .ANGLE = 60},
       2610},
      {"43",
       {.IBS = 10,
        .ITYPE = 43,
        .A = 300,
        .B = 200,
        .C = 300,
        .D = 100,
        .E = 400,
        .F = 2200,
        .T1 = 50,
        .T2 = 60,
        .N1 = 3},
       3110},
      {"44",
       {.IBS = 10,
        .ITYPE = 44,
        .A = 100,
        .B = 200,
        .C = 300,
        .D = 400,
        .E = 500,
        .F = 2400,
        .T1 = 50,
        .N1 = 3,
        .ANGLE = 60},
       2950},
  });
}

TEST(DevelopedLength, ErrorsAndTheirOrder) {
  const BarShape legs42{
      .IBS = 10, .ITYPE = 42, .A = 100, .B = 200, .C = 300, .D = 400, .E = 500, .F = 2100, .N1 = 3, .ANGLE = 60};
  struct ErrorCase {
    const char* what;
    BarShape bar;
    ShapeFailure failure;
  } cases[] = {
      {"type 0", {.ITYPE = 0}, ShapeFailure::no_formula},
      {"type -3", {.ITYPE = -3}, ShapeFailure::no_formula},
      {"type 1", {.ITYPE = 1}, ShapeFailure::no_formula},
      {"type 12", {.ITYPE = 12}, ShapeFailure::no_formula},
      {"type 54", {.ITYPE = 54}, ShapeFailure::type},
      {"style 2 at IG", {.IBS = 10, .ITYPE = 10, .IA = 1, .IG = 2}, ShapeFailure::hook},
      {"style 4 at 29", {.IBS = 29, .ITYPE = 21, .IA = 4}, ShapeFailure::hook},
      {"style 4 at 25", {.IBS = 25, .ITYPE = 21, .IA = 4}, ShapeFailure::none},
      {"IG only: IA ignored", {.IBS = 10, .ITYPE = 17, .IA = 0, .IG = 1, .ANGLE = 90}, ShapeFailure::none},
      {"IA only: IG ignored", {.IBS = 10, .ITYPE = 9, .IA = 1, .IG = 0}, ShapeFailure::none},
      {"53 hooks before B", {.IBS = 10, .ITYPE = 53, .IA = 0, .IG = 1, .C = 5}, ShapeFailure::hook},
      {"53 B = 0", {.IBS = 10, .ITYPE = 53, .IA = 1, .IG = 1, .C = 5}, ShapeFailure::parabola},
      {"53 C = 0", {.IBS = 10, .ITYPE = 53, .IA = 1, .IG = 1, .B = 5}, ShapeFailure::parabola},
      {"42 angle before count", {.IBS = 10, .ITYPE = 42, .N1 = 1, .ANGLE = 90}, ShapeFailure::angle},
      {"42 count", {.IBS = 10, .ITYPE = 42, .N1 = 1, .ANGLE = 45}, ShapeFailure::count},
      {"44 angle before closure", {.IBS = 10, .ITYPE = 44, .F = 1, .N1 = 3}, ShapeFailure::angle},
      {"43 count", {.IBS = 10, .ITYPE = 43, .N1 = 1}, ShapeFailure::count},
      // X = 2*100 + 300 = 500, M = 2: F must be 1100.
      {"43 closure off by 1",
       {.IBS = 10, .ITYPE = 43, .A = 300, .B = 200, .C = 300, .D = 100, .E = 400, .F = 1101, .N1 = 2},
       ShapeFailure::dimension},
  };
  for (const ErrorCase& c : cases) EXPECT_EQ(developed_length(c.bar).failure, c.failure) << c.what;

  BarShape off = legs42;
  off.F = 2099;
  EXPECT_EQ(developed_length(off).failure, ShapeFailure::dimension);
}

}  // namespace
}  // namespace barlist::geometry
