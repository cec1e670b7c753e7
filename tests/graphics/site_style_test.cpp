// Site symbols and colours: the start-up defaults and the colour of a site
// from its colour name.
#include "graphics/site_style.h"

#include <gtest/gtest.h>

#include "graphics/pgplot.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

TEST(SiteIcons, DefaultSymbolsAndColours) {
  test::fresh_state();
  siteicons();
  const int symbols[10] = {17, 16, 13, 18, 4, 6, 7, 12, 11, 5};
  const ProgramState& s = state();
  for (int l = 1; l <= 10; ++l) {
    EXPECT_EQ(s.isymb_l(l), symbols[l - 1]) << l;
    EXPECT_EQ(s.kolor_l(l), l) << l;
  }
  for (int l : {11, 30, maxsite}) {
    EXPECT_EQ(s.isymb_l(l), 1) << l;
    EXPECT_EQ(s.kolor_l(l), 11) << l;
  }
}

TEST(SiteCi, NamedColourBecomesIndex17) {
  test::fresh_state();
  ProgramState& s = state();
  s.nloc = 4;
  s.icon_l(1) = 'l';
  s.colour_l(1) = "dark sea green";
  s.icon_l(2) = 'X';
  s.colour_l(2) = "mauve-ish";  // not in the colour table
  s.icon_l(3) = ' ';
  s.colour_l(3) = "navy";
  s.icon_l(4) = 'W';
  s.colour_l(4) = "";
  ASSERT_EQ(pgbegin(0, "/NULL", 1, 1), 1);
  struct Case {
    int site;
    int k;  // colour index after the call, from 5
    const char* out;
  } cases[] = {
      {1, 17, " l dark sea green 0 5\n"},
      {2, 5, " X mauve-ish 1 5\n"},
      {3, 5, ""},  // no icon
      {4, 5, ""},  // no colour name
      {0, 5, ""},
      {5, 5, ""},  // beyond nloc
  };
  for (const Case& c : cases) {
    test::CapturedConsole con;
    int k = 5;
    siteci(c.site, k);
    EXPECT_EQ(k, c.k) << c.site;
    EXPECT_EQ(con.output(), c.out) << c.site;
  }
  pgclos();
}

}  // namespace
}  // namespace zolka
