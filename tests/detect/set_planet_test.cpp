// Placing the planet at a point of a chi-square map.
#include "detect/set_planet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fit/badness.h"
#include "fit/planet_fixture.h"
#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"
#include "support/support.h"

namespace zolka {
namespace {

constexpr float pos_tol = 2e-6f;     // a few float roundings of positions of order 1
constexpr float deg = 0.017453293f;  // one degree in radians

// Major image distance of the point lens, written out: (u + sqrt(u^2 + 4))/2.
float major(float u) {
  return (u + std::sqrt(u * u + 4)) / 2;
}

TEST(SetPlanet, MapCoordinatesOfEachKind) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  s.hjd0 = 0;
  s.te = 10;
  s.y0 = 0.2f;
  // The source at t = 5 sits at (0.5, 0.2), us = sqrt(0.29) from the star.
  const float us = std::sqrt(0.29f);
  const float minor = us / 2 - std::sqrt(us * us / 4 + 1);  // signed, < 0
  const struct {
    const char* opt;
    float c1, c2;
    float x, y;  // expected planet position
  } cases[] = {
      {"UA", 0, 90, 1, 0},  // u = 1 at 90 degrees from +y: on the +x axis
      {"ua", 0, 90, 1, 0},
      {"UA", std::log10(2.0f), -30, -1, std::sqrt(3.0f)},
      {"XY", 0.3f, -1.2f, 0.3f, -1.2f},
      {"TF", 5, 1, major(us) * 0.5f / us, major(us) * 0.2f / us},  // on the major image
      {"TF", 5, -1, minor * 0.5f / us, minor * 0.2f / us},         // on the minor image
      {"TF", 5, 0.5f, major(us) * 0.25f / us, major(us) * 0.1f / us},
  };
  for (const auto& c : cases) {
    const std::string what =
        std::string(c.opt) + " " + std::to_string(c.c1) + " " + std::to_string(c.c2);
    setplanet(c.opt, c.c1, c.c2);
    EXPECT_NEAR(s.xpl, c.x, pos_tol) << what;
    EXPECT_NEAR(s.ypl, c.y, pos_tol) << what;
    EXPECT_NEAR(s.upl, std::hypot(c.x, c.y), pos_tol) << what;
    EXPECT_NEAR(s.apl, std::atan2(c.x, c.y), 1e-5f) << what;
  }
  setplanet("UA", 0, 90);
  EXPECT_NEAR(s.apl, 90 * deg, 1e-6f);
  EXPECT_FLOAT_EQ(s.upl, 1);
}

TEST(SetPlanet, AnUnknownKindStopsTheProgram) {
  test::CapturedConsole console;
  reset_state();
  EXPECT_THROW(setplanet("zz", 0, 0), FatalStop);
  const std::string out = console.output();
  EXPECT_TRUE(test::has_line(out, " ** INVALID OPTION setplanet( ZZ )"));
  EXPECT_TRUE(test::has_text(out, "FATAL ERROR :(((("));
}

// Given the true f and q, the azimuth scan around the best map planet finds
// the true planet. The scan covers the detection zone of that planet seen
// from the star: for us = |(1, 0.95)| = 1.3793, theta+ = 1.9044,
// theta- = -0.5251, A+ = 1.0823, w = sqrt(2 A+ - 1) = 1.0792, a half-range of
// w/|theta-| = 2.0551 rad = 117.75 degrees around atan2(1, 0.95) = 46.47,
// in steps of r/theta+ = 3.0087 degrees: nint(235.5/3.0087) + 1 = 79 cells.
// Without a best map planet it covers the source track from t0 - 5 te to
// t0 + 5 te, +-atan2(5, 0.15) = 88.28 degrees, in steps of r/uplus(0.15) =
// 5.3159 degrees: nint(176.56/5.3159) + 1 = 34 cells.
TEST(SetPlanet, FQScansTheAzimuthsWhereThePlanetCanBe) {
  const sim::SimEvent ev = test::planet_event(0.95f);
  for (bool guided : {true, false}) {
    test::CapturedConsole console;
    test::load_planet_event(ev, ev.q, ev.xp, ev.yp, "XY");
    ProgramState& s = state();
    // The site fluxes of the true model, which chi2calc takes as they stand.
    float bof = 0;
    int nd = 0, np = 0;
    badness(bof, nd, np);
    float t = 0, f = 0;
    xy2tf(ev.xp, ev.yp, t, f);
    s.xplfit = guided ? ev.xp : 0;
    s.yplfit = guided ? ev.yp : 0;
    s.qpl = 0;
    setplxy(3, 3);
    setplanet("FQ", f, std::log10(ev.q));
    EXPECT_NEAR(s.qpl, ev.q, 1e-8f) << guided;
    EXPECT_NEAR(s.fpl, f, 1e-5f) << guided;
    const std::string out = console.output();
    if (guided) {
      EXPECT_TRUE(
          test::has_text(out, "logQ -2.0 F " + free_format(f) + " alp ( 164 - -71 ) / 79 best"));
      // Within a fifth of the planet's Einstein radius (0.1).
      EXPECT_LT(std::hypot(s.xpl - ev.xp, s.ypl - ev.yp), 0.02f);
      EXPECT_EQ(s.c_a.size(), 79);
    } else {
      EXPECT_TRUE(test::has_text(out, " alp ( 88 - -88 ) / 34 best"));
      EXPECT_EQ(s.c_a.size(), 34);
    }
  }
}

// Without a best map planet the scan covers the source track from t0 - 5 te
// to t0 + 5 te (azimuths -86 .. 86 degrees for y0 = 0.35); a planet of
// q = 1000 has an Einstein radius wider than that, so the scan has one cell,
// in the middle, and nothing to refine.
TEST(SetPlanet, FQScanOfOneCell) {
  test::CapturedConsole console;
  reset_state();  // no data: every chi-square is 0
  ProgramState& s = state();
  s.xplfit = 0;
  s.yplfit = 0;
  setplanet("FQ", 1, 3);
  EXPECT_EQ(s.c_a.size(), 1);
  EXPECT_NEAR(s.apl, 0, 1e-6f);
  EXPECT_NEAR(s.xpl, 0, 1e-6f);
  EXPECT_NEAR(s.ypl, major(0.35f), pos_tol);
  EXPECT_TRUE(test::has_text(console.output(), " ) / 1 best 1.0"));
}

TEST(SetPlanet, FQScanStopsAt2048Cells) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  setplanet("FQ", -0.5f, -9);  // r = 3e-5: some 100000 cells of r
  EXPECT_EQ(s.c_a.size(), 2048);
  EXPECT_FLOAT_EQ(s.fpl, -0.5f);
  EXPECT_NEAR(s.qpl, 1e-9f, 1e-14f);
}

}  // namespace
}  // namespace zolka
