// The image plot: the planet's marker and lines, the image tracks of the
// source track (and of further tracks on request), with and without data.
#include "graphics/image_plot.h"

#include <gtest/gtest.h>

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

using test::count_text;
using test::greenish;
using test::Picture;
using test::runs;

class ImagePlot : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    siteicons();
    ProgramState& s = state();
    s.y0 = 0.3f;
    s.qpl = 0.001f;
    setplxy(10000, -10000);
  }
  void TearDown() override { pgclos(); }
  Picture draw(const std::string& name, float umin1 = 0, float umin2 = 0, int n = 0) {
    EXPECT_EQ(pgbegin(0, "\"" + dir.file(name) + "\"/PNG", 1, 1), 1);
    pgkolors();
    state().csize = 1.5f;
    pgsch(1.5f);
    pgslw(2);
    iplot(umin1, umin2, n);
    pgend();
    return Picture(dir.file(name), false);
  }
  test::TempDir dir;
  test::CapturedConsole con;
};

TEST_F(ImagePlot, PlanetInTheWindowGetsDashedLinesThroughIt) {
  // The planet marker and its lines are the only green (colour 3) things.
  const Picture away = draw("away.png");
  EXPECT_EQ(away.count(greenish), 0);
  EXPECT_GT(away.count(test::inked), 5000);  // frame, ring, tracks
  setplxy(0.5f, 0.8f);
  const Picture near = draw("near.png");
  const std::vector<double> rows = runs(near, true, 150, greenish);
  const std::vector<double> cols = runs(near, false, 150, greenish);
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(cols.size(), 1u);
  // The lines cross the whole window, x from -3 to 3, equal scales.
  int left = 0, right = 0, top = 0, bottom = 0;
  test::extent(near, true, greenish, left, right);
  test::extent(near, false, greenish, top, bottom);
  EXPECT_NEAR((cols[0] - left) / (right - left), (0.5 + 3) / 6, 0.01);
  const std::string out = con.output();
  EXPECT_EQ(count_text(out, " planet( XY ) ********"), 2);
  EXPECT_EQ(count_text(out, " impaths( 4 4 ) ****************"), 2);
  EXPECT_NE(out.find(" iplot **************** 0.0 0.0 0"), std::string::npos) << out;
}

TEST_F(ImagePlot, FurtherTracksOnRequestAndTheModelKept) {
  test::store_sites({test::exact_site(2454567.8, 25, 0.3f, 1, 0, 30, 2454540, 2454595, 0.01f)});
  ProgramState& s = state();
  s.hjd0 = 2454567.8;
  s.te = 25;
  draw("three.png", 0.1f, 0.7f, 3);
  EXPECT_EQ(count_text(con.output(), " impaths( 4 4 ) ****************"), 4);
  EXPECT_NE(con.output().find(" marksites( -1 ) ****************"), std::string::npos);
  EXPECT_EQ(s.y0, 0.3f);
  // The data's own images are back: the source of point 1 at (x_t, y0).
  EXPECT_NEAR(s.x_t(1), (2454540 - 2454567.8) / 25, 1e-5);
  EXPECT_NEAR(s.u_t(1), std::hypot(s.x_t(1), 0.3f), 1e-5);
}

}  // namespace
}  // namespace zolka
