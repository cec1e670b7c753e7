// The chi-square map display on hand-made maps: the greyscale panel, the
// detection crosshair and the likelihood profiles; the planet marker and the
// image tracks it draws with.
#include "graphics/map_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "fit/fit_fixture.h"
#include "graphics/device.h"
#include "graphics/image_paths.h"
#include "graphics/pgplot.h"
#include "graphics/planet_marker.h"
#include "graphics/site_style.h"
#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "numeric/angles.h"
#include "plot_checks.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::count_text;
using test::extent;
using test::greenish;
using test::Picture;
using test::runs;

// Distance of the minor image from the star for a source at u.
float minor_distance(float u) {
  return 0.5f * (std::sqrt(u * u + 4) - u);
}

class MapDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    siteicons();
    test::store_sites({test::exact_site(2454567.8, 25, 0.3f, 1, 0, 40, 2454540, 2454595, 0.01f)});
    ProgramState& s = state();
    s.hjd0 = 2454567.8;
    s.te = 25;
    s.y0 = 0.3f;
    s.smag0 = 17;
    s.event = "OB08123";
    s.delchi2 = 20;
    s.chi2fit = 1000;
    s.mapfit = 5;
    s.maptweak = 0;
    s.mapdof = 35;
    s.chi2ref = 1000;
    // The user's planet far outside every map window.
    s.qpl = 0.001f;
    setplxy(10000, -10000);
  }
  void TearDown() override { pgclos(); }

  // A map of kind opt on axes a1..b1 (n1 points) and a2..b2 (n2 points): flat
  // at chi2fit but for a Gaussian dip of depth dchi2 (delta chi-square of the
  // best pixel) at axis values (c1, c2) and a bump of 40 (a region the data
  // exclude) elsewhere. The fit record holds the dip's planet, given as x, y.
  void make_map(float a1, float b1, int n1, float a2, float b2, int n2, float c1, float c2,
                float dchi2, float xfit, float yfit) {
    ProgramState& s = state();
    s.n_1 = n1;
    s.n_2 = n2;
    s.par_1.resize(n1);
    s.par_2.resize(n2);
    for (int k = 1; k <= n1; ++k) s.par_1(k) = a1 + (b1 - a1) * (k - 1) / (n1 - 1);
    for (int j = 1; j <= n2; ++j) s.par_2(j) = a2 + (b2 - a2) * (j - 1) / (n2 - 1);
    s.chi2_12.resize(n1 * n2);
    const float w1 = 0.1f * (b1 - a1), w2 = 0.1f * (b2 - a2);
    for (int j = 1; j <= n2; ++j)
      for (int k = 1; k <= n1; ++k) {
        const float u = (s.par_1(k) - c1) / w1, v = (s.par_2(j) - c2) / w2;
        const float u2 = (s.par_1(k) - (a1 + 0.2f * (b1 - a1))) / w1;
        const float v2 = (s.par_2(j) - (a2 + 0.2f * (b2 - a2))) / w2;
        s.chi2_12((j - 1) * n1 + k) = s.chi2fit - dchi2 * std::exp(-0.5f * (u * u + v * v)) +
                                      40 * std::exp(-0.5f * (u2 * u2 + v2 * v2));
      }
    s.dchi2fit = dchi2;
    s.qplfit = 0.001f;
    s.xplfit = xfit;
    s.yplfit = yfit;
    s.cpuxy = s.cpuua = 12;
  }
  void make_xy(float dchi2) { make_map(-2, 2, 41, -1.5f, 1.5f, 31, 0.8f, 0.6f, dchi2, 0.8f, 0.6f); }
  // The dip at u = 10^0.1 and azimuth 200 degrees.
  void make_ua(float dchi2) {
    float x = 0, y = 0;
    ua2xy(std::pow(10.0f, 0.1f), deg2rad(200), x, y);
    make_map(-1, 1, 41, -90, 270, 73, 0.1f, 200, dchi2, x, y);
  }

  // Opens a PNG of 800 x 600 pixels, or a PostScript file, as the plot menu does.
  void open(const std::string& name, const std::string& type = "PNG") {
    ASSERT_EQ(pgbegin(0, "\"" + dir.file(name) + "\"/" + type, 1, 1), 1);
    pgkolors();
    state().csize = 1.5f;
    pgsch(1.5f);
    pgslw(2);
  }
  Picture draw(const std::string& opt, const std::string& name) {
    open(name);
    drawmap(opt);
    pgend();
    return Picture(dir.file(name), false);
  }
  test::TempDir dir;
  test::CapturedConsole con;
};

TEST_F(MapDisplay, DetectionInXYCrossesTheBestPlanet) {
  make_xy(22);  // above the threshold 20, below the profiles' 25
  const Picture p = draw("XY", "xy.png");
  const std::vector<double> rows = runs(p, true, 100, greenish);
  const std::vector<double> cols = runs(p, false, 100, greenish);
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(cols.size(), 1u);
  // The horizontal line spans the window x = -2.05 .. 2.05 (pixel edges) and
  // the vertical one y = -1.55 .. 1.55; each crosses the other at the planet.
  int left = 0, right = 0, top = 0, bottom = 0;
  extent(p, true, greenish, left, right);
  extent(p, false, greenish, top, bottom);
  EXPECT_NEAR((cols[0] - left) / (right - left), (0.8 + 2.05) / 4.1, 0.02);
  EXPECT_NEAR((bottom - rows[0]) / (bottom - top), (0.6 + 1.55) / 3.1, 0.02);
  // Equal scales: as many pixels per Einstein radius across as down.
  EXPECT_NEAR((right - left) / 4.1, (bottom - top) / 3.1, 3);
  const std::string out = con.output();
  EXPECT_NE(out.find(" X: 41 -2.0 2.0 0.1"), std::string::npos) << out;
  EXPECT_NE(out.find("  41 31 greyscale bg 980.0 fg 1020.0"), std::string::npos) << out;
  EXPECT_NE(out.find("best \\gD\\gx\\u2\\d=22.0"), std::string::npos) << out;
  EXPECT_NE(out.find(" impaths( 4 4 ) ****************"), std::string::npos);
  EXPECT_NE(out.find(" planet( XY ) ********"), std::string::npos);
}

TEST_F(MapDisplay, NoDetectionDrawsNoCrosshair) {
  make_xy(15);  // below the threshold
  const Picture p = draw("XY", "flat.png");
  EXPECT_EQ(p.count(greenish), 0);
  EXPECT_GT(p.count(test::inked), 20000);  // the greyscale, frame and tracks are there
  EXPECT_EQ(count_text(con.output(), " planet( XY )"), 0);
}

TEST_F(MapDisplay, DetectionInUAHasOneOfThreeAzimuthLinesInTheWindow) {
  make_ua(22);
  const Picture p = draw("UA", "ua.png");
  const std::vector<double> rows = runs(p, true, 100, greenish);
  const std::vector<double> cols = runs(p, false, 100, greenish);
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(cols.size(), 1u);
  // The azimuth window runs from -93 + 0.01 to 273 - 0.02 degrees: the
  // pixel edges of -90 .. 270 in steps of 5, rounded to whole degrees.
  int left = 0, right = 0, top = 0, bottom = 0;
  extent(p, true, greenish, left, right);
  extent(p, false, greenish, top, bottom);
  const double y1 = -92.99, y2 = 272.98;
  EXPECT_NEAR((bottom - rows[0]) / (bottom - top), (200 - y1) / (y2 - y1), 0.02);
  EXPECT_NEAR((cols[0] - left) / (right - left), (0.1 + 1.025) / 2.05, 0.02);
  // ln u across against radians down: 2.05 ln 10 = 4.72 against 6.39.
  EXPECT_NEAR(static_cast<double>(right - left) / (bottom - top),
              2.05 * std::log(10.0) / deg2rad(y2 - y1), 0.03);
  EXPECT_NE(con.output().find(" impathal("), std::string::npos);
}

TEST_F(MapDisplay, CrosshairLines) {
  ProgramState& s = state();
  s.qpl = 0.01f;
  setplxy(0.5f, -0.8f);
  const float alpha = rad2deg(std::atan2(0.5f, -0.8f));  // 148 degrees
  const Crosshair ua = crosshair("ua");
  ASSERT_EQ(ua.ny, 3);
  EXPECT_FLOAT_EQ(ua.x, std::log10(std::hypot(0.5f, -0.8f)));
  int inside = 0;
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(ua.y[k], alpha + 360 * (k - 1), 1e-3f) << k;
    inside += ua.y[k] >= -90 && ua.y[k] <= 270;
  }
  EXPECT_EQ(inside, 1);
  const Crosshair xy = crosshair("XY");
  EXPECT_EQ(xy.ny, 1);
  EXPECT_FLOAT_EQ(xy.x, 0.5f);
  EXPECT_FLOAT_EQ(xy.y[0], -0.8f);
  const Crosshair fq = crosshair("FQ");
  EXPECT_FLOAT_EQ(fq.x, s.fpl);
  EXPECT_FLOAT_EQ(fq.y[0], -2);
  EXPECT_EQ(crosshair("QQ").ny, 0);
}

TEST_F(MapDisplay, StrongDetectionDrawsTheProfilesAlongTheEdges) {
  // The profiles peak under and beside the dip and lie on the bottom and
  // left edges elsewhere: a green line along each of those edges.
  make_xy(22);
  const Picture weak = draw("XY", "weak.png");
  make_xy(40);
  const Picture strong = draw("XY", "strong.png");
  int left = 0, right = 0, top = 0, bottom = 0;
  extent(weak, true, greenish, left, right);
  extent(weak, false, greenish, top, bottom);
  const int width = right - left, height = bottom - top;
  EXPECT_LT(weak.count(greenish, left, bottom - 3, right, bottom + 3), width / 3);
  EXPECT_GT(strong.count(greenish, left, bottom - 3, right, bottom + 3), 2 * width / 3);
  EXPECT_LT(weak.count(greenish, left - 3, top, left + 3, bottom), height / 3);
  EXPECT_GT(strong.count(greenish, left - 3, top, left + 3, bottom), 2 * height / 3);
  // The bottom profile's peak reaches a tenth of the height above the edge,
  // under the dip at x = 0.8.
  const int peak = left + static_cast<int>((0.8 + 2.05) / 4.1 * width);
  EXPECT_GT(strong.count(greenish, peak - 8, bottom - height / 10 - 3, peak + 8,
                         bottom - height / 10 + 3),
            3);
}

TEST_F(MapDisplay, EveryKindToPostScript) {
  for (const char* opt : {"XY", "UA", "TF", "FQ"}) {
    SCOPED_TRACE(opt);
    if (std::string(opt) == "UA")
      make_ua(40);
    else
      make_xy(40);
    const std::string file = dir.file(std::string(opt) + ".ps");
    open(std::string(opt) + ".ps", "CPS");
    drawmap(opt);
    pgend();
    const std::string bytes = test::file_bytes(file);
    EXPECT_TRUE(test::complete_postscript(bytes));
    EXPECT_GT(bytes.size(), 20000u);
  }
  const std::string out = con.output();
  EXPECT_NE(out.find(" Chi2( F, Q )"), std::string::npos) << out;
  EXPECT_NE(out.find(" timeaxis ******"), std::string::npos);
}

TEST_F(MapDisplay, BadMapsLeaveAnEmptyPanel) {
  ProgramState& s = state();
  open("bad.png");
  s.n_1 = 0;
  s.n_2 = 5;
  drawmap("XY");
  drawmap("ZZ");
  pgend();
  const std::string out = con.output();
  EXPECT_NE(out.find("** ERROR gridfit( XY ): the map is empty."), std::string::npos) << out;
  EXPECT_NE(out.find("** INVALID OPTION gridfit( ZZ )"), std::string::npos) << out;
  EXPECT_EQ(Picture(dir.file("bad.png"), false).count(test::inked), 0);
}

TEST_F(MapDisplay, GridfitRefusesWithoutDataOrPlanet) {
  ProgramState& s = state();
  open("refused.png");
  s.qpl = 0;
  gridfit("xy");
  s.qpl = 0.001f;
  s.ndata = 0;
  gridfit("UA");
  gridfit("AB");
  pgend();
  const std::string out = con.output();
  EXPECT_NE(out.find(" gridfit( XY ) ***********"), std::string::npos) << out;
  EXPECT_NE(out.find("** ERROR gridbox: no planet to map"), std::string::npos) << out;
  EXPECT_NE(out.find("** WARNING gridfit( UA ): no data to map."), std::string::npos) << out;
  EXPECT_NE(out.find("** INVALID OPTION gridfit( AB )"), std::string::npos) << out;
  EXPECT_EQ(count_text(out, "greyscale"), 0);
  EXPECT_EQ(Picture(dir.file("refused.png"), false).count(test::inked), 0);
}

// An 800 x 600 picture whose whole area is the window [x1, x2] x [y1, y2].
class Marks : public ::testing::Test {
 protected:
  void SetUp() override { test::fresh_state(); }
  void open(float x1, float x2, float y1, float y2) {
    ASSERT_TRUE(test::open_window_png(dir.file(name), x1, x2, y1, y2));
  }
  Picture picture() {
    pgend();
    return Picture(dir.file(name), false);
  }
  // Whether the picture is inked within 2 pixels of world (x, y).
  static bool inked_at(const Picture& p, float x, float y, float x1, float x2, float y1, float y2) {
    const int col = static_cast<int>((x - x1) / (x2 - x1) * p.width);
    const int row = static_cast<int>((y2 - y) / (y2 - y1) * p.height);
    return p.count(test::inked, col - 2, row - 2, col + 2, row + 2) > 0;
  }
  test::TempDir dir;
  test::CapturedConsole con;
  std::string name = "marks.png";
};

TEST_F(Marks, PlanetInXYIsACircleAndCrossOfItsEinsteinRadius) {
  ProgramState& s = state();
  s.qpl = 0.04f;  // r = 0.2
  setplxy(0.5f, 0.5f);
  open(-2, 2, -1.5f, 1.5f);
  planet("xy");
  const Picture p = picture();
  for (auto [x, y] : {std::pair{0.7f, 0.5f},
                      {0.3f, 0.5f},
                      {0.5f, 0.7f},
                      {0.5f, 0.3f},
                      {0.5f + 0.1414f, 0.5f + 0.1414f},
                      {0.6f, 0.5f},
                      {0.5f, 0.6f}})
    EXPECT_TRUE(inked_at(p, x, y, -2, 2, -1.5f, 1.5f)) << x << "," << y;
  // Inside the circle off the cross, and outside it, nothing.
  EXPECT_FALSE(inked_at(p, 0.6f, 0.6f, -2, 2, -1.5f, 1.5f));
  EXPECT_FALSE(inked_at(p, 0.9f, 0.9f, -2, 2, -1.5f, 1.5f));
  EXPECT_NE(con.output().find(" planet( XY ) ********"), std::string::npos);
}

TEST_F(Marks, PlanetInUAIsACrossAndEllipseInLogUAndDegrees) {
  ProgramState& s = state();
  s.qpl = 0.01f;  // r = 0.1
  setplua(2, deg2rad(60));
  const float lu = std::log10(2.0f), dl = std::log10(2.1f) - lu, dd = rad2deg(0.1f);
  open(0, 0.6f, 40, 80);
  planet("UA");
  const Picture p = picture();
  for (auto [x, y] : {std::pair{lu + dl, 60.0f},
                      {lu - dl, 60.0f},
                      {lu, 60 + dd},
                      {lu, 60 - dd},
                      {lu + 0.7071f * dl, 60 + 0.7071f * dd}})
    EXPECT_TRUE(inked_at(p, x, y, 0, 0.6f, 40, 80)) << x << "," << y;
  EXPECT_FALSE(inked_at(p, lu + 0.5f * dl, 60 + 0.5f * dd, 0, 0.6f, 40, 80));
  EXPECT_FALSE(inked_at(p, lu + 2 * dl, 60, 0, 0.6f, 40, 80));
  // No planet, or another kind: nothing drawn (and no file written).
  name = "none.png";
  open(0, 0.6f, 40, 80);
  planet("TF");
  s.qpl = 0;
  planet("UA");
  EXPECT_EQ(picture().count(test::inked), 0);
}

TEST_F(Marks, ImageTracksInTheLensPlane) {
  // Source track y = y0 across the window; the major image above it, the
  // minor image below the star, both tending to the source's line and to
  // the star far from the peak.
  ProgramState& s = state();
  s.y0 = 0.5f;
  open(-3, 3, -1.5f, 1.5f);
  impaths(1, 1);
  const Picture p = picture();
  EXPECT_TRUE(inked_at(p, -2.9f, 0.5f, -3, 3, -1.5f, 1.5f));
  EXPECT_TRUE(inked_at(p, 2.9f, 0.5f, -3, 3, -1.5f, 1.5f));
  EXPECT_TRUE(inked_at(p, 0, uplus(0.5f), -3, 3, -1.5f, 1.5f));
  EXPECT_TRUE(inked_at(p, 0, -minor_distance(0.5f), -3, 3, -1.5f, 1.5f));
  EXPECT_FALSE(inked_at(p, 0, 0, -3, 3, -1.5f, 1.5f));
  EXPECT_NE(con.output().find(" impaths( 1 1 ) ****************"), std::string::npos);
}

TEST_F(Marks, ImageTracksInLogUAndAzimuthBreakWhereTheyWrap) {
  // With azimuths wrapped into 0 .. 360 the source's track jumps from 360 to
  // 0 as it passes the star (tau = 0, log u = log10 y0): no line joins them.
  ProgramState& s = state();
  s.y0 = 0.3f;
  open(-1.5f, 1.5f, 0, 360);
  impathal(0, 360, 0, 1, 1);
  const Picture p = picture();
  const float ls = std::log10(0.3f);
  for (float deg : {20.0f, 340.0f}) {
    const float tau = 0.3f * std::tan(deg2rad(deg));
    EXPECT_TRUE(inked_at(p, std::log10(std::hypot(tau, 0.3f)), deg, -1.5f, 1.5f, 0, 360)) << deg;
  }
  for (float deg : {120.0f, 180.0f, 240.0f})
    EXPECT_FALSE(inked_at(p, ls, deg, -1.5f, 1.5f, 0, 360)) << deg;
  // The minor image opposite the source at the peak.
  EXPECT_TRUE(inked_at(p, std::log10(minor_distance(0.3f)), 180, -1.5f, 1.5f, 0, 360));
  EXPECT_NE(con.output().find(" impathal( 0.0 360.0 0.0 1 1 ) ******"), std::string::npos)
      << con.output();
}

}  // namespace
}  // namespace zolka
