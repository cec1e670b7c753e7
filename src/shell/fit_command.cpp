#include "shell/fit_command.h"

#include "fit/fit_drivers.h"
#include "lens/planet_geometry.h"
#include "numeric/angles.h"
#include "shell/core/print.h"
#include "shell/core/prompts.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr int firstloops = 3;  // loops of the first fit of a run

}  // namespace

void fitlens(int& n) {
  ProgramState& s = state();
  say("fitlens ****************", n);
  say("Fit parameters:");
  say(1, s.loose(1), s.smag0, " m0 = baseline magnitude");
  say(2, s.loose(2), s.hjd0, static_cast<float>(s.hjd0 - s.mjd0),
      " t0 = epoch of peak magnification");
  say(3, s.loose(3), s.te, " te = event duration (einstein radii)");
  say(4, s.loose(4), s.y0, " y0 = impact parameter");
  say(5, s.loose(5), s.b0, " b = blend flux");
  say(6, s.loose(6), s.sigmag0, " sig0 = background noise (mags)");
  say(7, s.loose(7), s.erbscl, " f = error bar scale");
  setplpos();
  say(8, s.loose(8), rad2deg(s.apl), " theta = azimuth of planet (deg)");
  say(9, s.loose(9), s.upl, " u = lens-planet separation (R_E=1)");
  say(10, s.loose(10), s.qpl, " q = planet mass ratio q");

  int count = s.npfit < 6 ? 5 : s.npfit;
  int loops = s.nloopfit > 0 ? s.nloopfit : firstloops;
  inq2i("Fit Parameters and Loops", count, loops);
  if (count < 1 || count > 10 || loops <= 0) {
    diag("** FIT ABORTED.");
    return;
  }
  s.nloopfit = loops;
  say("Fit parameters", count, " loops", loops);
  fitloops(count, loops);
  chi2calc(s.chi2fit, s.ndfit);
  fitsummary(20);
}

}  // namespace zolka
