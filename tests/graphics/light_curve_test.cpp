// The light-curve plot and its markers: where the peak and present-moment
// lines fall, the blend levels, the floor under faint data.
#include "graphics/light_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "fit/fit_fixture.h"
#include "graphics/device.h"
#include "graphics/legend.h"
#include "graphics/pgplot.h"
#include "graphics/site_style.h"
#include "lens/point_lens.h"
#include "plot_checks.h"
#include "shell/core/state.h"
#include "shell/model/now.h"
#include "shell/model/photometry.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;
using test::Picture;
using test::TempDir;

class LightCurve : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    siteicons();
  }
  void TearDown() override { pgclos(); }
  // Opens an image whose whole area is the window [x1, x2] x [y1, y2].
  void open(const std::string& name, float x1, float x2, float y1, float y2) {
    ASSERT_EQ(pgbegin(0, "\"" + dir.file(name) + "\"/PNG", 1, 1), 1);
    pgpage();
    pgsvp(0, 1, 0, 1);
    pgswin(x1, x2, y1, y2);
  }
  // A panel as the plot menu prepares it, with the model's colour (index 8)
  // made green to tell it from red (index 2).
  void open_panel(const std::string& name) {
    ASSERT_EQ(pgbegin(0, "\"" + dir.file(name) + "\"/PNG", 1, 1), 1);
    pgkolors();
    pgscr(8, 0, 0.6f, 0);
    state().csize = 1.5f;
    pgsch(1.5f);
  }
  Picture picture(const std::string& name) {
    pgend();
    return Picture(dir.file(name), false);
  }
  TempDir dir;
  CapturedConsole con;
};

// Centres of the runs of image columns that are inked over most of the height.
std::vector<double> vertical_lines(const Picture& p) {
  std::vector<double> centres;
  int start = -1;
  for (int x = 0; x <= p.width; ++x) {
    const bool line = x < p.width && p.count(test::inked, x, 0, x, p.height - 1) > p.height / 2;
    if (line && start < 0) start = x;
    if (!line && start >= 0) {
      centres.push_back(0.5 * (start + x - 1));
      start = -1;
    }
  }
  return centres;
}

// The image column of world x in a window [x1, x2] across the whole width.
double column(const Picture& p, float x, float x1, float x2) {
  return (x - x1) / (x2 - x1) * p.width - 0.5;
}

TEST_F(LightCurve, MarkTimeDrawsThePeakOneTeAndTheHalfWidth) {
  // The half-width of the peak from its definition: the time from the peak
  // to where A has fallen to (A0 + 1)/2, in units of tE.
  const float a0 = 10;
  const float y0 = ainv(a0);
  const float uhalf = ainv(0.5f * (a0 + 1));
  const float th = std::sqrt(uhalf * uhalf - y0 * y0);
  ProgramState& s = state();
  s.a0 = a0;
  const struct {
    const char* what;
    bool hjdaxis;
    float x1, x2;
    std::vector<float> want;
  } cases[] = {
      // (t - t0)/tE: the peak at 0.
      {"tE units", false, -3, 3, {-1, -th, 0, th, 1}},
      // Days after mjd0: t0 = 3, tE = 2.
      {"days", true, -3, 9, {1, 3 - 2 * th, 3, 3 + 2 * th, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s.mjd0 = 2450000;
    s.hjd0 = 2450003;
    s.te = 2;
    s.hjdaxis = c.hjdaxis;
    open("marktime.png", c.x1, c.x2, 0, 1);
    marktime(0, 1);
    const Picture p = picture("marktime.png");
    const std::vector<double> lines = vertical_lines(p);
    ASSERT_EQ(lines.size(), c.want.size());
    for (std::size_t k = 0; k < lines.size(); ++k)
      EXPECT_NEAR(lines[k], column(p, c.want[k], c.x1, c.x2), 1.0) << k;
  }
}

TEST_F(LightCurve, MarkNowInsideAndOutsideTheWindow) {
  ProgramState& s = state();
  int yr, mon, day, hr, min, sec;
  now(yr, mon, day, hr, min, sec);
  // The peak two days ago; tE = 10, u0 = 0.3, so now u = sqrt(0.3^2 + 0.2^2)
  // and A = (u^2 + 2)/(u sqrt(u^2 + 4)) = 2.907, 17 - 2.5 log10(A) = 15.84 mag.
  s.mjd0 = 2460000;
  s.hjd0 = s.hjdnow - 2;
  s.te = 10;
  s.y0 = 0.3f;
  s.smag0 = 17;
  s.b0 = 0;
  s.hjdaxis = true;
  const float tnow = static_cast<float>(s.hjdnow - s.mjd0);

  open("inside.png", tnow - 5, tnow + 5, 0, 1);
  pgsci(2);
  marknow(0, 1);
  const Picture inside = picture("inside.png");
  const std::vector<double> lines = vertical_lines(inside);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NEAR(lines[0], column(inside, tnow, tnow - 5, tnow + 5), 1.0);
  const std::string out = con.output();
  EXPECT_NE(out.find("= t\\d0\\u+2.0d"), std::string::npos) << out;
  EXPECT_NE(out.find("  :15.8mag\n"), std::string::npos) << out;
  EXPECT_NE(out.find("  :A=2.9\n"), std::string::npos) << out;

  // Far from the window, and with equal limits: reported, not drawn.
  con.clear();
  open("outside.png", tnow + 10, tnow + 20, 0, 1);
  marknow(0, 1);
  marknow(0.5f, 0.5f);
  EXPECT_EQ(picture("outside.png").count(test::inked), 0);
  EXPECT_EQ(test::count_text(con.output(), " Now:"), 2);
  EXPECT_EQ(con.output().find("Inow"), std::string::npos);
}

// One site of exact point-lens data with blend ratio b, and the model that made it.
void blended_event(float b) {
  test::store_sites({test::exact_site(2454567.8, 25, 0.1f, 1, b, 60, 2454520, 2454620, 0.01f)});
  ProgramState& s = state();
  s.fb_l(1) = b;
  subsidiaries();
  setsite(1);
  s.hjd0 = 2454567.8;
  s.te = 25;
  s.y0 = 0.1f;
  s.npfit = 1;
}

TEST_F(LightCurve, SourceAndBlendLevelsOnlyWithABlend) {
  // The source and blend levels and the source-alone curve are the only
  // things drawn in colour index 2 (red) when the site has no colour name.
  for (float b : {0.0f, 0.3f}) {
    SCOPED_TRACE(b);
    test::fresh_state();
    siteicons();
    blended_event(b);
    open_panel("blend.png");
    con.clear();
    magplot();
    const int red = picture("blend.png").count(test::reddish);
    const bool levels = con.output().find(" a+b ") != std::string::npos;
    if (b > 0) {
      EXPECT_GT(red, 100);
      EXPECT_TRUE(levels);
    } else {
      EXPECT_EQ(red, 0);
      EXPECT_FALSE(levels);
    }
  }
}

TEST_F(LightCurve, FaintDataAreDrawnAtTheFloor) {
  // A negative flux (and error bars reaching below zero) would stop the
  // magnitude conversion: they are held at 3 magnitudes under the baseline.
  blended_event(0);
  ProgramState& s = state();
  s.datflx_t(10) = -0.5f;
  s.sigflx_t(10) = 0.2f;
  s.sigflx_t(11) = 5.0f;
  open_panel("floor.png");
  magplot();
  EXPECT_GT(picture("floor.png").count(test::inked), 5000);
  std::istringstream line(con.output().substr(con.output().find(" Data times")));
  std::string w1, w2, w3;
  float x1, x2, m1, m2;
  ASSERT_TRUE(line >> w1 >> w2 >> x1 >> x2 >> w3 >> m1 >> m2);
  EXPECT_NEAR(m2, s.smag0 + 3, 1e-4f);
  EXPECT_LT(m1, s.smag0);
}

TEST_F(LightCurve, WithoutDataTheModelAndItsLabels) {
  ProgramState& s = state();
  s.mjd0 = 2450000;
  s.hjd0 = 2454567.8;
  s.te = 25;
  s.y0 = 0.1f;
  s.smag0 = 17;
  open_panel("model.png");
  magplot();
  // The model's colour (kolor_model) draws the curve.
  const Picture p = picture("model.png");
  EXPECT_GT(p.count([](int c) { return (c >> 8 & 0xff) > 0x80 && (c >> 16) < 0x60; }), 300);
  EXPECT_EQ(con.output().find("Data times"), std::string::npos);
}

TEST_F(LightCurve, SourceRightBehindTheLens) {
  // u0 = 0: an infinite peak magnification. The window is chosen as for a
  // peak of 5 and everything is drawn.
  blended_event(0);
  state().y0 = 0;
  open_panel("u0.png");
  magplot();
  EXPECT_GT(picture("u0.png").count(test::inked), 5000);
  std::istringstream line(con.output().substr(con.output().find(" pgenv(")));
  std::string w;
  float x1, x2, y1, y2;
  ASSERT_TRUE(line >> w >> x1 >> x2 >> y1 >> y2);
  EXPECT_TRUE(std::isfinite(y1) && std::isfinite(y2));
  // The legend's lens line shows the infinite peak as such.
  EXPECT_NE(legend_lines()[2].text.find("A\\d0\\u=Infinity"), std::string::npos);
}

}  // namespace
}  // namespace zolka
