#include "lightcurve/store.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/photometry.h"

namespace zolka {

void timearray() {
  ProgramState& s = state();
  const int n = s.ndata;
  if (n < 1) return;
  for (int i = 1; i <= n; ++i)
    if (s.hjd_t(i) < jdshort) s.hjd_t(i) += jdoffset;

  s.jdround = 10000;
  const int k = n >= 2 ? 2 : 1;
  // A time far beyond any date (a misread column) must not overflow the
  // integer reference day.
  const double days = std::clamp(std::trunc(s.hjd_t(k) / s.jdround), 0.0,
                                 static_cast<double>(std::numeric_limits<int>::max() / s.jdround));
  s.mjd0 = s.jdround * static_cast<int>(days);
  say("reference mjd0:", s.mjd0);

  for (int i = 1; i <= n; ++i) s.t_t(i) = static_cast<float>(s.hjd_t(i) - s.mjd0);
  say(1, s.hjd_t(1), s.t_t(1));
  say(n, s.hjd_t(n), s.t_t(n));

  const auto [lo, hi] = std::minmax_element(s.t_t.data(), s.t_t.data() + n);
  s.tfirst = *lo;
  s.tlast = *hi;
  say("time range:", s.tfirst, s.tlast);
}

void dat_mag_to_flx() {
  ProgramState& s = state();
  say("dat_mag_to_flx ************ ndata", s.ndata);
  for (int i = 1; i <= s.ndata; ++i) {
    float f = s.datmag_t(i);
    float sig = s.sigmag_t(i);
    mag_to_flx(f, sig);
    s.datflx_t(i) = f;
    s.sigflx_t(i) = sig;
  }
}

void dat_flx_to_mag() {
  ProgramState& s = state();
  say("dat_flx_to_mag ************ ndata", s.ndata);
  for (int i = 1; i <= s.ndata; ++i) {
    float m = s.datflx_t(i);
    float sig = s.sigflx_t(i);
    flx_to_mag(m, sig);
    s.datmag_t(i) = m;
    s.sigmag_t(i) = sig;
  }
}

}  // namespace zolka
