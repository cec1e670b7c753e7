// The plot menu: one panel per letter down the page, the logo of each
// panel, the plot-again loop.
#include "graphics/plot_menu.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "fit/fit_fixture.h"
#include "graphics/device.h"
#include "graphics/pgplot.h"
#include "graphics/site_style.h"
#include "lens/planet_geometry.h"
#include "plot_checks.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;
using test::count_text;
using test::TempDir;

class PlotMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    siteicons();
    setenv("SCR", dir.path().c_str(), 1);
  }
  void TearDown() override {
    closeplot();
    unsetenv("SCR");
  }
  // mplot on the given replies to the device dialogue; returns the output.
  std::string plot(const std::string& letters, const std::string& replies) {
    CapturedConsole con(replies);
    mplot(letters);
    return con.output();
  }
  TempDir dir;
};

TEST_F(PlotMenu, OnePanelPerLetterOfTheFirstWord) {
  const struct {
    const char* reply;
    int panels;    // panels down the page
    int magplots;  // light curves among them
  } cases[] = {{"m", 1, 1},
               {"mr", 2, 1},
               {"M R", 1, 1},
               {"MMMMMMMMMMMM", 10, 10},  // the reply is cut to 10 characters
               {"xyz", 3, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const std::string out = plot(c.reply, "N\n\n");
    EXPECT_NE(out.find("PGBEGIN( 0, \"/NU\" 1 " + std::to_string(c.panels) + " )"),
              std::string::npos)
        << out;
    EXPECT_EQ(count_text(out, " magplot ****************"), c.magplots);
    EXPECT_EQ(count_text(out, " Plot again ? [N] "), 1);
    EXPECT_FALSE(pgqopen());
  }
  // No letters: nothing is asked.
  EXPECT_EQ(plot("   ", "N\n"), "");
}

TEST_F(PlotMenu, PlotAgainDrawsThePageAgain) {
  const std::string out = plot("M", "N\ny\n\n\n");
  EXPECT_EQ(count_text(out, " PGSTART device type (H=help) ["), 2);
  EXPECT_EQ(count_text(out, " magplot ****************"), 2);
  EXPECT_EQ(count_text(out, " Plot again ? [N] "), 2);
}

TEST_F(PlotMenu, EveryLetterRuns) {
  for (const char* letters : {"ABCGIKLMNO", "PRVYZ"}) {
    SCOPED_TRACE(letters);
    const std::string out = plot(letters, "N\n\n");
    EXPECT_EQ(count_text(out, "\n\n"), static_cast<int>(std::string(letters).size()));
  }
}

TEST_F(PlotMenu, MapLogosInsideTheBottomOthersAboveTheTop) {
  // The logo (colour index 4, blue) of the second panel: inside its bottom
  // edge after a map letter, above its top edge after any other. Nothing
  // else in that panel is blue.
  for (const char* letters : {"MC", "MR"}) {
    SCOPED_TRACE(letters);
    const std::string file = dir.file(std::string(letters) + ".png");
    plot(letters, "B\n" + file + "/PNG\n\n");
    const test::Picture p(file, false);
    ASSERT_EQ(p.height, 600);
    const int upper = p.count(test::bluish, 0, 300, p.width - 1, 449);
    const int lower = p.count(test::bluish, 0, 450, p.width - 1, 599);
    if (letters[1] == 'C') {
      EXPECT_EQ(upper, 0);
      EXPECT_GT(lower, 20);
    } else {
      EXPECT_GT(upper, 20);
      EXPECT_EQ(lower, 0);
    }
  }
}

TEST_F(PlotMenu, MapAndImageLetters) {
  // C, L, V and K map the planet over x,y, u,alpha, t,f and f,q; I draws the
  // image plot. Blank replies take the defaults of any questions the maps ask.
  test::store_sites({test::exact_site(2454567.8, 25, 0.3f, 1, 0, 20, 2454540, 2454595, 0.01f)});
  ProgramState& s = state();
  s.hjd0 = 2454567.8;
  s.te = 25;
  s.y0 = 0.3f;
  s.qpl = 0.01f;
  setplxy(0.5f, 0.9f);
  const std::string blanks(12, '\n');
  std::string out = plot("CLVKI", "N\n" + blanks);
  EXPECT_NE(out.find("PGBEGIN( 0, \"/NU\" 1 5 )"), std::string::npos) << out;
  for (const char* kind : {"XY", "UA", "TF", "FQ"}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(count_text(out, std::string(" gridfit( ") + kind + " ) ***********"), 1);
    EXPECT_EQ(count_text(out, std::string(" gridbox( ") + kind + " ) ********"), 1);
  }
  EXPECT_EQ(count_text(out, " iplot ****************"), 1);
  EXPECT_FALSE(pgqopen());

  // No planet: the grid is refused for every map, the image plot still drawn.
  s.qpl = 0;
  out = plot("CLVKI", "N\n" + blanks);
  EXPECT_EQ(count_text(out, "** ERROR gridbox: no planet to map"), 4) << out;
  EXPECT_EQ(count_text(out, "greyscale"), 0);
  EXPECT_EQ(count_text(out, " iplot ****************"), 1);

  // No data: every map says so.
  s.qpl = 0.01f;
  s.ndata = 0;
  s.nloc = 0;
  out = plot("CLVKI", "N\n" + blanks);
  for (const char* kind : {"XY", "UA", "TF", "FQ"})
    EXPECT_EQ(count_text(out, std::string("** WARNING gridfit( ") + kind + " ): no data to map."),
              1)
        << kind << out;
  EXPECT_EQ(count_text(out, " gridbox("), 0);
  EXPECT_EQ(count_text(out, " iplot ****************"), 1);
}

}  // namespace
}  // namespace zolka
