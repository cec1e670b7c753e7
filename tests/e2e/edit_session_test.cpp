// Scripted sessions with the parameter editor (E) and the time-range editor
// (T).
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "sim/simulate.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::has_text;
using test::run_zolka;
using test::TempDir;

// A simulated event of two sites in dir, loaded by "D" then "@OB08123".
void write_example(const TempDir& dir) {
  sim::SimEvent ev;
  ev.event = "OB08123";
  ev.t0 = 4567.8;
  ev.te = 25;
  ev.u0 = 0.15f;
  ev.seed = 5;
  ev.sites = {{'O', 200, 17.2f, 0.2f, 'I', 1.0f}, {'Z', 80, 17.0f, 0.1f, 'I', 1.0f}};
  sim::write_event(ev, dir.path().string(), "zolka::sim::write_event in edit_session_test");
}

// The lines of the last menu's parameter listing that follow " E ... Edit
// parameters": the lens line and the planet line.
std::pair<std::string, std::string> last_listing(const std::string& out) {
  const std::string head = " E ... Edit parameters\n";
  const std::size_t at = out.rfind(head);
  if (at == std::string::npos) return {};
  std::istringstream lines(out.substr(at + head.size()));
  std::string lens, planet;
  std::getline(lines, lens);
  std::getline(lines, planet);
  return {lens, planet};
}

// The number after "name=" in a caption line.
double value_of(const std::string& line, const std::string& name) {
  const std::size_t at = line.find(" " + name + "=");
  if (at == std::string::npos) return NAN;
  return std::stod(line.substr(at + name.size() + 2));
}

TEST(EditSession, MassRatioAndPlanetPositionReachTheMenu) {
  TempDir dir;
  write_example(dir);
  const auto r = run_zolka("D\n@OB08123\nE\nQ\n0.01\nXY\n0.5 1.2\n\nT\n-2 2\n", dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_TRUE(has_text(out, " ** editplanet( XY )\n Planet X and Y are in R_E units."));

  // u = |(0.5, 1.2)| = 1.3, azimuth atan2(0.5, 1.2) = 22.6 degrees.
  const auto [lens, planet] = last_listing(out);
  EXPECT_EQ(planet.rfind("   q=0.01 u=1.300 alp=23^o x=0.5000 y=1.200 t=", 0), 0u) << planet;
  // The anomaly time: the source crosses the planet's azimuth at
  // t0 + te y0 x/y (to the rounding of the listed lens values).
  const double t0 = value_of(lens, "t0"), te = value_of(lens, "te"), y0 = value_of(lens, "y0");
  EXPECT_NEAR(value_of(planet, "t"), t0 + te * y0 * 0.5 / 1.2, 0.01 + 0.005 * te * 0.5 / 1.2)
      << lens << "\n"
      << planet;

  // T: -2 2 in units of twin put the range symmetric about t0, 4 twin wide.
  const std::size_t tw = out.rfind(" twin=");
  ASSERT_NE(tw, std::string::npos);
  const double twin = std::stod(out.substr(tw + 6));
  const std::size_t tl = out.rfind(" T ... Time range:");
  ASSERT_NE(tl, std::string::npos);
  std::istringstream w(out.substr(tl + 18));
  double tbeg, tend, x1, x2;
  std::string label;
  ASSERT_TRUE(w >> tbeg >> tend >> label >> x1 >> x2);
  EXPECT_NEAR(tend - tbeg, 4 * twin, 1e-3 * twin);
  EXPECT_NEAR(x1, -x2, 1e-4);
}

TEST(EditSession, BadAnswersKeepTheProgramGoing) {
  TempDir dir;
  write_example(dir);
  // An unknown code, letters for a number, a site beyond nloc, a blend that
  // would leave no baseline flux, then end of input in the middle of the
  // lens editor's four values.
  const auto r = run_zolka("D\n@OB08123\nE\nabc\nTE\nxyz\n-3\n7\nB\n-1\nK\n9 9\n\nE\nLE\n4560 20\n",
                           dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_EQ(test::occurrences(out, " ** please try again."), 2);
  EXPECT_EQ(out.find("FATAL"), std::string::npos);
  EXPECT_EQ(out.find("NaN"), std::string::npos);
  EXPECT_TRUE(has_text(out, " New lens t0,te,y0,mag: "));
  EXPECT_TRUE(has_text(out, "End of input"));
  // The blend stayed at what the load found: no "b=-1.00" anywhere.
  EXPECT_FALSE(has_text(out, "b=-1.00"));
}

}  // namespace
}  // namespace zolka
