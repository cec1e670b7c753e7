// The prompt family: defaults, blank replies, unreadable numbers, end of input.
#include "shell/core/prompts.h"

#include <gtest/gtest.h>

#include "shell/core/console.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;

TEST(Prompts, InqDefaultAndLeadingBlanks) {
  CapturedConsole con("\n  y\n");
  EXPECT_EQ(inq("Do you REALLY want to quit ZOLKA ?", "N"), "N");
  EXPECT_EQ(con.output(), " Do you REALLY want to quit ZOLKA ? [N] ");
  EXPECT_EQ(inq("Again", "N"), "  y");
  CapturedConsole blank("\n");
  EXPECT_EQ(inq("ZOLKA> ", ""), "");
  EXPECT_EQ(blank.output(), " ZOLKA> ");
}

TEST(Prompts, InqCutsToTheReplyBuffer) {
  CapturedConsole con(std::string(300, 'a') + "\n");
  std::string reply;
  inq("x", "", reply, 70);
  EXPECT_EQ(reply.size(), 70u);
}

TEST(Prompts, InqiAsksAgainUntilANumber) {
  CapturedConsole con("abc\n12 xyz\n");
  int v = 0;
  inqi("Time Zone (hours ahead of UTC):", 0, v);
  EXPECT_EQ(v, 12);
  EXPECT_EQ(con.output(),
            " Time Zone (hours ahead of UTC): [0]  Time Zone (hours ahead of UTC): [0] ");
}

TEST(Prompts, InqrKeepsTheDefaultOnABlankReply) {
  CapturedConsole con("\n-2.5e-1\n3.5x\n7\n");
  float v = 0.35f;
  inqr("impact parameter y_0", v, v);
  EXPECT_EQ(v, 0.35f);
  EXPECT_EQ(con.output(), " impact parameter y_0 [0.35] ");
  inqr("y", v, v);
  EXPECT_EQ(v, -0.25f);
  inqr("y", v, v);  // "3.5x" is not a number: asked again, then 7
  EXPECT_EQ(v, 7.0f);
}

TEST(Prompts, ABlankReplyKeepsTheDefaultExactly) {
  // 0.77579516 shows as 0.7757952; Return keeps every bit of the value.
  CapturedConsole con("\n");
  float v = 0.77579516f;
  inqr("<logA0>", v, v);
  EXPECT_EQ(v, 0.77579516f);
}

TEST(Prompts, Inq2rReplacesValuesInOrder) {
  // The count returned is the number of old values replaced.
  struct Case {
    const char* reply;
    float a, b;
    int taken;
  } cases[] = {{"5\n", 5, 2, 1},     {"5 6\n", 5, 6, 2},     {"\n", 1, 2, 0},
               {"5,6\n", 5, 6, 2},   {"x\n9\n", 9, 2, 1},    {"5 x\n\n", 5, 2, 1},
               {"5 6 7\n", 5, 6, 2}, {"5 x\n7 8\n", 7, 8, 2}};
  for (const Case& c : cases) {
    CapturedConsole con(c.reply);
    float a = 1, b = 2;
    EXPECT_EQ(inq2r("tbeg tend ", a, b), c.taken) << "reply " << c.reply;
    EXPECT_EQ(a, c.a) << "reply " << c.reply;
    EXPECT_EQ(b, c.b) << "reply " << c.reply;
  }
  CapturedConsole con("\n");
  float a = 1, b = 2;
  inq2r("tbeg tend ", a, b);
  EXPECT_EQ(con.output(), " Old tbeg tend : 1.0 2.0\n New tbeg tend : ");
}

TEST(Prompts, Inq3rAndInq2i) {
  CapturedConsole con("4 5 6\n7\n");
  float a = 1, b = 2, c = 3;
  inq3r("abc", a, b, c);
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 5);
  EXPECT_EQ(c, 6);
  int i = 0, j = 1;
  inq2i("see/sky corrections (1,2,3=flx,mag,eta)", i, j);
  EXPECT_EQ(i, 7);
  EXPECT_EQ(j, 1);
}

TEST(Prompts, EndOfInputThrows) {
  CapturedConsole con("");
  EXPECT_THROW(inq("x", "N"), EndOfInput);
  CapturedConsole con2("abc\n");  // an unreadable number, then nothing: no endless loop
  int v = 0;
  EXPECT_THROW(inqi("n", 0, v), EndOfInput);
}

}  // namespace
}  // namespace zolka
