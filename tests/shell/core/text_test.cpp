// Text building and string utilities.
#include "shell/core/text.h"

#include <gtest/gtest.h>

namespace zolka {
namespace {

TEST(Text, Len1AndWord1) {
  EXPECT_EQ(len1(""), 0);
  EXPECT_EQ(len1("     "), 0);
  EXPECT_EQ(len1("  ab  "), 4);
  int i1 = -1, i2 = -1;
  word1("    ", i1, i2);
  EXPECT_EQ(i1, 0);
  EXPECT_EQ(i2, 0);
  word1(" \tabc def", i1, i2);
  EXPECT_EQ(i1, 3);
  EXPECT_EQ(i2, 5);
  EXPECT_EQ(firstword("  $ls -l"), "$ls");
}

TEST(Text, UpcaseOnlyLetters) {
  EXPECT_EQ(upcase("mute f1 ?x"), "MUTE F1 ?X");
  EXPECT_EQ(upcase("  y"), "  Y");
}

TEST(Text, AppendJoinsWordsWithOneBlank) {
  std::string b;
  append(b, "chi2   ");
  EXPECT_EQ(b, "chi2");  // no leading blank onto an empty buffer
  append(b, "=");
  append_i(b, -12);
  EXPECT_EQ(b, "chi2 = -12");
  append_f(b, 12.345, "(f10.2)");
  EXPECT_EQ(b, "chi2 = -12 12.35");
  append_f(b, 1e7, "(f10.2)");  // too wide: a row of asterisks
  EXPECT_EQ(b, "chi2 = -12 12.35 **********");
  std::string full(126, 'x');
  append(full, "abc");  // cut at the buffer's end
  EXPECT_EQ(full.size(), 128u);
  EXPECT_EQ(full.substr(126), " a");
}

TEST(Text, AppendNSignificantDigits) {
  struct Case {
    float x;
    int n;
    const char* expected;
  } cases[] = {
      {0.000123456f, 3, "0.000123"},
      {98765.4f, 3, "98765"},
      {-0.5f, 2, "-0.50"},
      {0.0f, 3, "0.0"},
      {1.2345e-8f, 3, "1.23E-08"},
      {12.345f, 3, "12.3"},
      {1.2345f, 3, "1.23"},
      {0.025f, 1, "0.025"},  // n below 2 counts as 2
      {0.0123456f, 3, "0.0123"},
      {9.8f, 2, "9.8"},
      {9.95f, 2, "10"},  // from 9.9 times a power of ten the coarser form is taken
      {123.5f, 3, "124"},
      {-123.5f, 3, "-124"},
  };
  for (const Case& c : cases) {
    std::string b;
    append_n(b, c.x, c.n);
    EXPECT_EQ(b, c.expected) << c.x << " n=" << c.n;
  }
}

TEST(Text, CleaningPlotEscapes) {
  std::string s = "chi2=   12.5  a= = b";
  noeqbl(s);
  EXPECT_EQ(s, "chi2=12.5  a==b");
  s = "\\gDt \\gd \\gx\\u2\\d";
  nogreek(s);
  EXPECT_EQ(s, "Delt del chi\\u2\\d");
  noupdn(s);
  EXPECT_EQ(s, "Delt del chi^2");
  s = "t\\d0\\u and 10\\u-3\\d";
  noupdn(s);
  EXPECT_EQ(s, "t_0 and 10^-3");
  s = "x\\u2";  // an escape without its partner stays
  noupdn(s);
  EXPECT_EQ(s, "x\\u2");
  s = " a b  c ";
  nospace(s);
  EXPECT_EQ(s, "abc");
}

}  // namespace
}  // namespace zolka
