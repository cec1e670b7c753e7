// Reading numbers in free format from replies and data lines.
#include "shell/core/values.h"

#include <gtest/gtest.h>

namespace zolka {
namespace {

TEST(Values, RealForms) {
  struct Case {
    const char* tok;
    bool ok;
    double v;
  } cases[] = {{"1.5", true, 1.5},     {".5", true, 0.5},       {"1e3", true, 1000},
               {"1d3", true, 1000},    {"1.5D-2", true, 0.015}, {"+3", true, 3},
               {"-2.", true, -2},      {"nan", false, 0},       {"inf", false, 0},
               {"Infinity", false, 0}, {"0x10", false, 0},      {"1.5x", false, 0},
               {"1e999", false, 0},    {"", false, 0},          {"-", false, 0}};
  for (const Case& c : cases) {
    double v = -99;
    EXPECT_EQ(parse_real(c.tok, v), c.ok) << c.tok;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.v) << c.tok;
    }
  }
}

TEST(Values, ReaderSplitsOnBlanksCommasAndStopsAtSlash) {
  ValueReader r(" 2454567.8, 13.5\t0.02 / 99");
  double t = 0;
  float m = 0, e = 0, x = 0;
  EXPECT_EQ(r.next(t), ValueReader::ok);
  EXPECT_EQ(r.next(m), ValueReader::ok);
  EXPECT_EQ(r.next(e), ValueReader::ok);
  EXPECT_EQ(r.next(x), ValueReader::none);
  EXPECT_DOUBLE_EQ(t, 2454567.8);
  EXPECT_FLOAT_EQ(m, 13.5f);
  EXPECT_FLOAT_EQ(e, 0.02f);
  int i = 0;
  EXPECT_EQ(ValueReader("3.5").next(i), ValueReader::bad);
  EXPECT_EQ(ValueReader("12 xyz").next(i), ValueReader::ok);
  EXPECT_EQ(i, 12);
  float f = 0;
  EXPECT_EQ(ValueReader("1e39").next(f), ValueReader::bad);  // beyond 32-bit range
}

}  // namespace
}  // namespace zolka
