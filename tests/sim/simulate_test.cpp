// The event simulator: file names, time order, reproducibility, and noise
// that matches the error bars it reports.
#include "sim/simulate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/support.h"

namespace zolka::sim {
namespace {

SimEvent three_sites() {
  SimEvent ev;
  ev.event = "OB08123";
  ev.t0 = 4567.8;
  ev.te = 25;
  ev.u0 = 0.1f;
  ev.seed = 7;
  ev.sites = {{'O', 2000, 17.2f, 0.3f, 'I', 1.0f},
              {'Z', 300, 17.0f, 0.1f, 'I', 1.0f},
              {'K', 500, 17.8f, 0.5f, 'R', 2.0f}};
  return ev;
}

TEST(Simulate, NamesFollowTheConvention) {
  const SimEvent ev = three_sites();
  EXPECT_EQ(site_file_name(ev, ev.sites[0]), "OOB08123I.dat");
  EXPECT_EQ(site_file_name(ev, ev.sites[2]), "KOB08123R.dat");
}

TEST(Simulate, PeakAndBaselineMagnitudes) {
  const SimEvent ev = three_sites();
  // Far from the peak the model is the baseline; at the peak of a u0 = 0.1
  // event (A = 10.0375) with blend ratio 0.3 it is brighter by
  // 2.5 log10((A + 0.3)/1.3) = 2.2512 mag.
  EXPECT_NEAR(model_mag(ev, ev.sites[0], ev.t0 + 1e4), 17.2f, 1e-5);
  EXPECT_NEAR(model_mag(ev, ev.sites[0], ev.t0), 17.2f - 2.2512f, 1e-3);
}

TEST(Simulate, SameSeedSameEventAndNoiseMatchesTheErrorBars) {
  const SimEvent ev = three_sites();
  const auto a = simulate(ev);
  const auto b = simulate(ev);
  ASSERT_EQ(a.size(), 3u);
  for (std::size_t k = 0; k < a.size(); ++k) {
    ASSERT_EQ(a[k].size(), static_cast<std::size_t>(ev.sites[k].npts));
    double chi2 = 0;
    for (std::size_t i = 0; i < a[k].size(); ++i) {
      EXPECT_EQ(a[k][i].hjd, b[k][i].hjd);
      EXPECT_EQ(a[k][i].mag, b[k][i].mag);
      if (i > 0) {
        EXPECT_LE(a[k][i - 1].hjd, a[k][i].hjd);
      }
      const double r = (a[k][i].mag - model_mag(ev, ev.sites[k], a[k][i].hjd)) / a[k][i].err;
      chi2 += r * r;
    }
    // Reported errors are the true ones divided by errscale: chi2/n ~ errscale^2.
    const double s2 = ev.sites[k].errscale * ev.sites[k].errscale;
    EXPECT_NEAR(chi2 / a[k].size(), s2, 0.15 * s2) << "site " << k;
  }
}

TEST(Simulate, APlanetNearAnImagePerturbsOnlyWhenTheImagePassesIt) {
  test::CapturedConsole con;  // the magnification routines report planet changes
  SimEvent ev = three_sites();
  SimEvent planet = ev;
  // At t0 + 0.5 te the source is at (0.5, 0.1), u = 0.5099; its major image
  // lies at uplus(u) = 1.2848 along the same direction: (1.2598, 0.2520).
  planet.q = 0.005f;
  planet.xp = 1.2598f;
  planet.yp = 0.2520f;
  const double tpass = ev.t0 + 0.5 * ev.te;
  const float a0 = magnification(ev, tpass);
  const float a1 = magnification(planet, tpass);
  EXPECT_GT(std::fabs(a1 - a0) / a0, 0.1) << a0 << " " << a1;
  // Elsewhere only the small central perturbation of a q = 0.005 planet remains.
  for (double t : {ev.t0 - 1.0 * ev.te, ev.t0, ev.t0 + 2.0 * ev.te})
    EXPECT_NEAR(magnification(planet, t) / magnification(ev, t), 1.0, 6e-3) << t;
}

TEST(Simulate, WritesDataFilesAndTheList) {
  test::TempDir dir;
  const SimEvent ev = three_sites();
  const std::string lis = write_event(ev, dir.path().string(), "zolka-sim test");
  EXPECT_EQ(lis, dir.file("OB08123.lis"));
  EXPECT_EQ(dir.read("OB08123.lis"),
            "# made by: zolka-sim test\nOOB08123I.dat\nZOB08123I.dat\nKOB08123R.dat\n");
  const auto lines = test::lines_of(dir.read("ZOB08123I.dat"));
  ASSERT_EQ(lines.size(), 301u);
  EXPECT_EQ(lines[0], "# made by: zolka-sim test");
}

}  // namespace
}  // namespace zolka::sim
