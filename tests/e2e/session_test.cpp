// Scripted sessions with the built binary: banner, menu, prompt decisions,
// sub-dialogues, quitting and end of input.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <regex>

#include "support/support.h"

namespace zolka {
namespace {

using test::has_line;
using test::lines_of;
using test::run_zolka;
using test::TempDir;

// Prompts leave the cursor on their line, so with scripted input the next
// output continues the prompt's line: count texts, not whole lines.
int count(const std::string& out, const std::string& text) {
  int n = 0;
  for (std::size_t p = out.find(text); p != std::string::npos; p = out.find(text, p + 1)) ++n;
  return n;
}
bool has(const std::string& out, const std::string& text) {
  return count(out, text) > 0;
}
const char* const menu_head = "ZOLKA menu: =====================================";

TEST(Session, BannerMenuAndEndOfInput) {
  TempDir dir;
  const auto r = run_zolka("", dir.path());
  EXPECT_EQ(r.status, 0);
  const auto lines = lines_of(r.output);
  ASSERT_GE(lines.size(), 17u);
  EXPECT_EQ(lines[0], std::string(50, '*'));
  EXPECT_EQ(lines[1], "* ZOLKA - fit binary lens model to lightcurves   *");
  EXPECT_EQ(lines[4], "* 2002 Nov - blending                            *");
  EXPECT_EQ(lines[13], "* 2009 May - baseline rebin and blend prior      *");
  for (int i = 0; i <= 13; ++i) EXPECT_EQ(lines[i].size(), 50u) << lines[i];
  EXPECT_NE(lines[3].find("1998 Aug"), std::string::npos);
  EXPECT_EQ(lines[14], "* 2011-Jun-22 = current version");
  EXPECT_EQ(lines[15], std::string(50, '*'));
  EXPECT_EQ(lines[16], "ZOLKA menu: =====================================");

  // The menu without data: no data-only lines.
  EXPECT_TRUE(has_line(r.output, " D ... Data: 0"));
  EXPECT_TRUE(has_line(r.output, " E ... Edit parameters"));
  EXPECT_TRUE(has_line(r.output, " T ... Time range: 0.0 0.0 (t-t0)/te 0.0 0.0"));
  EXPECT_TRUE(has_line(r.output, " I ... Image positions"));
  EXPECT_TRUE(has_line(r.output, " $ ... Spawn a command to the operating system"));
  EXPECT_TRUE(has_line(r.output, " Q ... Quit ZOLKA"));
  for (const char* data_only : {" F ... Fit amoeba", " W ... Write parameter file",
                                " R ... Residuals", " P ... P(det|a)", " U ... U-q grid "}) {
    EXPECT_FALSE(has(r.output, data_only)) << data_only;
  }
  EXPECT_EQ(r.output.find(" C ... Chi2(x,y|q)"), std::string::npos);
  std::regex timeline(R"(now \d{4}-\d{2}-\d{2} UT \d{2}:\d{2}:\d{2})");
  EXPECT_TRUE(std::regex_search(r.output, timeline));

  // End of input at the prompt: one message and a normal exit.
  EXPECT_TRUE(has(r.output, " ZOLKA> \n ** End of input.  ZOLKA retired.\n"));
}

TEST(Session, RepliesThatOnlyRedrawTheMenu) {
  TempDir dir;
  // " F" is not the fit command; without data F, S, B, BB, U, H, W and "XZ" redraw.
  const auto r = run_zolka("\n F\nF\nS\nB\nBB\nU\nH\nW\nXZ\njumble\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(count(r.output, menu_head), 12);
}

TEST(Session, DollarRunsAShellCommandWithoutTheMenu) {
  TempDir dir;
  const auto r = run_zolka("$echo Hello There\n  $ls -d .\n", dir.path());
  EXPECT_TRUE(has(r.output, " call system( echo Hello There ) \n")) << r.output;
  EXPECT_TRUE(has_line(r.output, "Hello There"));
  EXPECT_TRUE(has(r.output, " call system( ls -d . ) \n"));
  EXPECT_EQ(count(r.output, menu_head), 1);
}

TEST(Session, MuteTogglesFlags) {
  TempDir dir;
  const auto r = run_zolka("MUTE\nF\nF\na\nx\n", dir.path());
  const std::string out = r.output;
  // Shown four times: at entry, after each of the three toggles.
  EXPECT_EQ(count(out, " Mute diagnostics:"), 4);
  const auto lines = lines_of(out);
  std::vector<std::string> fit0, amoeba;
  for (const auto& l : lines) {
    if (l.find("F ... mute Fit0") != std::string::npos) fit0.push_back(l);
    if (l.find("A ... mute Amoeba") != std::string::npos) amoeba.push_back(l);
  }
  ASSERT_EQ(fit0.size(), 4u);
  EXPECT_EQ(fit0[0], " F ... mute Fit0 1");
  EXPECT_EQ(fit0[1], " F ... mute Fit0 0");
  EXPECT_EQ(fit0[2], " F ... mute Fit0 1");
  EXPECT_EQ(amoeba[3], " A ... mute Amoeba 0");
  EXPECT_TRUE(has_line(out, " P ... mute amoebaPlot 1"));
  // Leaving the sub-menu goes back to the prompt without a menu.
  EXPECT_EQ(count(out, menu_head), 1);
}

// The "now" line of the menu, as seconds since the epoch in UTC.
std::vector<long> now_lines(const std::string& out) {
  std::vector<long> v;
  std::regex re(R"(now (\d{4})-(\d{2})-(\d{2}) UT (\d{2}):(\d{2}):(\d{2}))");
  for (auto it = std::sregex_iterator(out.begin(), out.end(), re); it != std::sregex_iterator();
       ++it) {
    std::tm tm{};
    tm.tm_year = std::stoi((*it)[1]) - 1900;
    tm.tm_mon = std::stoi((*it)[2]) - 1;
    tm.tm_mday = std::stoi((*it)[3]);
    tm.tm_hour = std::stoi((*it)[4]);
    tm.tm_min = std::stoi((*it)[5]);
    tm.tm_sec = std::stoi((*it)[6]);
    v.push_back(static_cast<long>(timegm(&tm)));
  }
  return v;
}

TEST(Session, TimeZoneShiftsTheTimeLine) {
  TempDir dir;
  const long utc = static_cast<long>(std::time(nullptr));
  const auto r = run_zolka("TZ\n-5\n", dir.path(), "TZ=UTC");
  EXPECT_TRUE(has(r.output, " local computer date/time:\n"));
  EXPECT_TRUE(has_line(r.output, " BST +1  GMT 0  EST -5  CST -6  MST -7  PST -8"));
  EXPECT_NE(r.output.find(" Time Zone (hours ahead of UTC): [0] "), std::string::npos);
  const auto t = now_lines(r.output);
  ASSERT_EQ(t.size(), 3u);  // menu, the dialogue, the menu after it
  // Start-up assumes the local clock is one hour ahead of UTC.
  EXPECT_NEAR(t[0] - utc, -3600, 30);
  EXPECT_NEAR(t[1] - utc, -3600, 30);
  // After "-5" the UTC time is local + 5 hours.
  EXPECT_NEAR(t[2] - utc, 5 * 3600, 30);
}

TEST(Session, QuitNeedsConfirmation) {
  TempDir dir;
  const auto r = run_zolka("Q\n\nq\ny\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(count(r.output, menu_head), 2);
  EXPECT_TRUE(has(r.output, "ZOLKA ? [N]  ZOLKA retired.\n"));
  EXPECT_NE(r.output.find(" Do you REALLY want to quit ZOLKA ? [N] "), std::string::npos);
  EXPECT_EQ(r.output.find("End of input"), std::string::npos);
}

}  // namespace
}  // namespace zolka
