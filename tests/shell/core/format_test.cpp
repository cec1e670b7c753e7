// Number formats: every printed number goes through these renderings.
#include "shell/core/format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zolka {
namespace {

struct FormatCase {
  const char* fmt;
  double value;
  const char* expected;
};

class OneValueFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(OneValueFormat, RendersAsFortranWould) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(format1(c.value, c.fmt), c.expected) << c.fmt << " of " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, OneValueFormat,
    ::testing::Values(
        // Fixed point: width, rounding, the optional leading zero, overflow.
        FormatCase{"(f10.2)", 3.14159, "      3.14"},
        FormatCase{"(f10.2)", -3.145001, "     -3.15"}, FormatCase{"(f5.2)", -0.5, "-0.50"},
        FormatCase{"(f3.2)", 0.5, ".50"}, FormatCase{"(f10.2)", 1e7, "**********"},
        FormatCase{"(f10.2)", 9999999.99, "9999999.99"}, FormatCase{"(f4.1)", 99.96, "****"},
        FormatCase{"(f6.0)", 12.4, "   12."}, FormatCase{"(f15.1)", 0.2, "            0.2"},
        // Exponent form with one digit before the point, and the plain 0.ddd form.
        FormatCase{"(1pe10.2)", 1.23456e-5, "  1.23E-05"},
        FormatCase{"(1pe8.1)", 12345.6, " 1.2E+04"}, FormatCase{"(1pe9.2)", 9.996, " 1.00E+01"},
        FormatCase{"(1pe8.1)", 0.0, " 0.0E+00"}, FormatCase{"(1pe10.2)", -9.99e99, " -9.99E+99"},
        FormatCase{"(1pe10.2)", 9.99e100, "  9.99+100"},
        FormatCase{"(1pe7.1)", -12345.6, "*******"},
        FormatCase{"(e12.4)", 0.000123, "  0.1230E-03"},
        // Integers: width, minimum digits with leading zeros, overflow.
        FormatCase{"(I4)", -5, "  -5"}, FormatCase{"(I4)", 12345, "****"},
        FormatCase{"(I2.2)", 5, "05"}, FormatCase{"(i3)", 0, "  0"},
        FormatCase{"(I4)", 2.5, "   3"},
        // General form: fixed inside 0.1 .. 10^d, exponent outside.
        FormatCase{"(g15.7)", 1.0, "   1.000000    "},
        FormatCase{"(g15.7)", 0.05, "  0.5000000E-01"}));

TEST(Format, ListsRepeatsLiteralsAndReversion) {
  EXPECT_EQ(format("(a,i4,1x,f8.2)", {std::string_view("x="), 5LL, 3.5}), "x=   5     3.50");
  EXPECT_EQ(format("(I2.2,':',I2.2)", {5LL, 7LL}), "05:07");
  EXPECT_EQ(format("(2(i2,1x))", {1LL, 2LL}), " 1  2 ");
  EXPECT_EQ(format("(a5)", {std::string_view("ab")}), "   ab");
  EXPECT_EQ(format("(a2)", {std::string_view("abcd")}), "ab");
  // More items than descriptors: a new line and the list again.
  EXPECT_EQ(format("(3f6.1)", {1.0, 2.0, 3.0, 4.0}), "   1.0   2.0   3.0\n   4.0");
  // Fewer items: output stops at the first descriptor without an item.
  EXPECT_EQ(format("(i3,' and',i3)", {7LL}), "  7 and");
  EXPECT_EQ(format("*", {1.5f, 2LL, std::string_view("x")}), "1.5 2 x");
}

struct FreeCase {
  double value;
  bool is_double;
  const char* expected;
};

TEST(Format, FreeFormatKeepsSevenOrFifteenDigits) {
  const FreeCase cases[] = {
      {1.0, false, "1.0"},
      {0.35, false, "0.35"},
      {1.0 / 3, false, "0.3333333"},
      {2.9870124, false, "2.987012"},
      {1e-5, false, "1.0E-05"},
      {1e10, false, "1.0E+10"},
      {9.99999999, false, "10.0"},
      {1234567.0, false, "1234567.0"},
      {-0.001, false, "-0.001"},
      {0.0, false, "0.0"},
      {2454567.8, true, "2454567.8"},
      {1.0 / 3, true, "0.333333333333333"},
      {-2.5e-7, true, "-2.5E-07"},
  };
  for (const FreeCase& c : cases) {
    const std::string got =
        c.is_double ? free_format(c.value) : free_format(static_cast<float>(c.value));
    EXPECT_EQ(got, c.expected) << c.value << (c.is_double ? " (64-bit)" : " (32-bit)");
  }
  EXPECT_EQ(free_format(-42), "-42");
  EXPECT_EQ(free_format(std::nanf("")), "NaN");
}

TEST(Format, FreeFormatReadsBackWithinSevenDigits) {
  for (float v :
       {0.35f, 2.9870124f, 1.0857362f, 0.77579516f, 1e-5f, 123456.7f, 6.2831855f, 3.4e12f}) {
    EXPECT_NEAR(std::stof(free_format(v)), v, 5e-7 * v) << free_format(v);
  }
}

TEST(Format, FreeLinesStartWithOneBlankColumn) {
  EXPECT_EQ(freeline("NCOL", 3, " HJD COL", 1, " NROW", 100000), " NCOL 3 HJD COL 1 NROW 100000");
  EXPECT_EQ(freeline("HJD0-MJD0 =", 2454567.8, " -", 2450000, " =", 4567.8f),
            " HJD0-MJD0 = 2454567.8 - 2450000 = 4567.8");
  EXPECT_EQ(freetext(" D ... Data:", 0), " D ... Data: 0");
}

}  // namespace
}  // namespace zolka
