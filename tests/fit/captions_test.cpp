// Captions of the fit reports.
#include "fit/captions.h"

#include <gtest/gtest.h>

#include <functional>

#include "shell/core/state.h"
#include "shell/model/startup.h"

namespace zolka {
namespace {

TEST(Captions, Table) {
  const struct {
    const char* what;
    std::function<void()> set;
    std::function<void(std::string&)> build;
    const char* start;
    const char* want;
  } cases[] = {
      {"b empty", [] { state().b0 = 1.234f; }, title_b, "", "b=1.23"},
      {"b after A0", [] { state().b0 = 1.234f; }, title_b, "A0=12.3", "A0=12.3 b=1.23"},
      {"q 0.001", [] { state().qpl = 0.001f; }, title_q, "", "q=0.001"},
      {"q 5e-5", [] { state().qpl = 0.00005f; }, title_q, "", "q=5.0E-05"},
      {"q 250", [] { state().qpl = 250; }, title_q, "", "q=250"},
      {"q 10", [] { state().qpl = 10; }, title_q, "", "q=10."},
      {"y0 0.05", [] { state().y0 = 0.05f; }, title_y0, "", "y0=0.050"},
      {"y0 -0.5", [] { state().y0 = -0.5f; }, title_y0, "", "y0=-0.50"},
      {"a0 1.0012", [] { state().a0 = 1.0012f; }, title_a0, "", "A0=1.00120"},
      {"a0 12.34", [] { state().a0 = 12.34f; }, title_a0, "", "A0=12.3"},
      {"a0 1", [] { state().a0 = 1; }, title_a0, "", "A0=1.000000"},
      {"x", [] { state().xpl = 1.23456f; }, title_x, "", "x=1.235"},
      {"sig0 f", [] { state().sigmag0 = 0.051f; }, title_sig0, "", "sig0=0.05"},
      {"event path",
       [] {
         state().event.clear();
         state().datfile = "/data/run/OOB08123I.dat";
       },
       title_event, "", "OOB08123I.dat"},
      {"event alias",
       [] {
         state().event = "OB-08-123";
         state().alias = "MB-08-055";
       },
       title_event, "", "OB-08-123 MB-08-055"},
      {"chi2site",
       [] {
         state().chi2_l(1) = 812.4f;
         state().ndf_l(1) = 567;
       },
       [](std::string& t) { title_chi2site(t, 1); }, "", "Chi2=(812.4/567)=1.43"},
      {"lens",
       [] {
         ProgramState& s = state();
         s.mjd0 = 2450000;
         s.hjd0 = 2454567.8;
         s.te = 25;
         s.y0 = 0.1f;
         s.a0 = 10.04f;
       },
       title_lens, "", "t0=4567.80 te=25.00 y0=0.100 A0=10.0"},
  };
  for (const auto& c : cases) {
    reset_state();
    c.set();
    std::string t = c.start;
    c.build(t);
    EXPECT_EQ(t, c.want) << c.what;
  }
}

}  // namespace
}  // namespace zolka
