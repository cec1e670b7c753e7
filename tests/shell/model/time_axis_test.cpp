// The plots' time axis and the present-moment text.
#include "shell/model/time_axis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>

#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"
#include "support/support.h"

namespace zolka {
namespace {

class TimeAxis : public ::testing::Test {
 protected:
  void SetUp() override { reset_state(); }
  // A model peaking at t0 = 4567.8 days after mjd0 = 2450000, te = 20.
  void model() {
    ProgramState& s = state();
    s.mjd0 = 2450000;
    s.hjd0 = 2454567.8;
    s.te = 20;
    s.y0 = 0.1f;
  }
  // Data of one site from t1 to t2 (days after mjd0).
  void data(float t1, float t2) {
    ProgramState& s = state();
    s.ndata = 2;
    s.tfirst = t1;
    s.tlast = t2;
  }
  float xmn = 0, xmx = 0;
  std::string label;
  test::CapturedConsole con;
};

TEST_F(TimeAxis, UnitsOfEinsteinTimeWithoutAReferenceDay) {
  timeaxis(xmn, xmx, label);
  EXPECT_EQ(label, "( t - t\\d0\\u ) / t\\dE\\u");
  EXPECT_FALSE(state().hjdaxis);
  EXPECT_EQ(state().a0, atotl(0.35f));
  EXPECT_LT(xmn, 0);
  EXPECT_GT(xmx, 0);
}

TEST_F(TimeAxis, DaysAfterTheReferenceDayAroundTheData) {
  model();
  data(4500, 4600);
  timeaxis(xmn, xmx, label);
  EXPECT_EQ(label, "HJD - 2450000");
  EXPECT_TRUE(state().hjdaxis);
  // The data widened by a day (4499 .. 4601), both ends moved to the next
  // whole day above (4500 .. 4602), then to the next 0.1 day above.
  EXPECT_NEAR(xmn, 4500.1f, 1e-3);
  EXPECT_NEAR(xmx, 4602.1f, 1e-3);
}

TEST_F(TimeAxis, DataEndingBeforeThePeakLeaveRoomForIt) {
  model();
  data(4400, 4560);
  timeaxis(xmn, xmx, label);
  const float th = thalf(atotl(0.1f));
  const float w = std::max(1.0f, 20 * std::pow(th, 0.75f));
  EXPECT_NEAR(xmx, 4567.8f + 1.5f * w, 0.11f);
}

TEST_F(TimeAxis, AUserRangeInFullHjd) {
  model();
  data(4400, 4700);
  state().tbeg = 2454560;
  state().tend = 2454580;
  timeaxis(xmn, xmx, label);
  EXPECT_NEAR(xmn, 4560.1f, 1e-3);
  EXPECT_NEAR(xmx, 4580.1f, 1e-3);
  EXPECT_NE(con.output().find(" xmn -> 4560.0"), std::string::npos);
}

TEST_F(TimeAxis, NowMarkText) {
  model();
  const std::string text = nowmark();
  EXPECT_TRUE(std::regex_match(
      text, std::regex(R"(UT \d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}  = t\\d0\\u[+-][0-9.]+[hd])")))
      << text;
  EXPECT_NE(con.output().find(" Now:"), std::string::npos);
}

}  // namespace
}  // namespace zolka
