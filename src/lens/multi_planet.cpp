#include "lens/multi_planet.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "lens/binary_lens.h"
#include "lens/point_lens.h"
#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr float amin = 0.999f;  // smallest magnification taken as sound
constexpr float dmin = 1e-7f;   // planets whose estimated effect is smaller are left out
constexpr float dsure = 5e-8f;  // a proven bound below this settles that a planet is left out
constexpr float ln2 = 0.69314718f;

// A(u) - 1 of the point lens. Beyond u = 1 it is formed as
// (A^2 - 1)/(A + 1) = 4/(u^2 (u^2 + 4) (A + 1)), since A - 1 itself cancels
// to nothing or one rounding unit of 1 (1.2e-7) once u exceeds about 20,
// which would decide the 1e-7 test by rounding.
inline float excess(float u) {
  const float a = atotl(u);
  if (!(u > 1)) return a - 1;
  const float s = u * u;
  return 4 / (s * (s + 4) * (a + 1));
}

// Biased binary exponent field of a float: 1 .. 254 for normal numbers.
inline int exponent_field(float v) {
  return static_cast<int>((std::bit_cast<std::uint32_t>(v) >> 23) & 0xff);
}

// True when a planet of mass ratio q at squared distance rp2 from the star
// certainly changes the magnification a0 by less than dsure through an image
// of magnification ak at squared distance rk2, judged without logarithms or
// angles (BM_asp_far). The estimate of asp is
//   ak (A(uip) - 1) / a0,  uip^2 = rk2 (ell^2 + dphi^2) / q,  ell = ln(rk/rp),
// and A(u) - 1 <= 2/u^4 (sqrt(1 + t) <= 1 + t/2 with A^2 = 1 + 4/(u^2 (u^2 + 4))).
// With dphi^2 >= 0 and |ln(rk2/rp2)| >= ln 2 (|e(rk2) - e(rp2)| - 1) from the
// binary exponents, uip^2 >= rk2 ell_lo^2 / q =: v/q, so the estimate is below
// 2 ak q^2 / (a0 v^2).
inline bool surely_negligible(float rk2, float rp2, float ak, float a0, float q) {
  // Squares are >= 0: a normal exponent field means a positive normal value.
  const int erk = exponent_field(rk2);
  const int erp = exponent_field(rp2);
  if (erk == 0 || erk == 0xff || erp == 0 || erp == 0xff) return false;
  const int de = std::abs(erk - erp) - 1;
  if (de <= 0) return false;
  const float ell = 0.5f * ln2 * static_cast<float>(de);
  const float v = rk2 * ell * ell;
  return 2 * ak * q * q < dsure * a0 * v * v;
}

[[noreturn, gnu::noinline, gnu::cold]] void pspl_failure(float xs, float ys, int npl,
                                                         const float* xp, const float* yp,
                                                         const float* q, float a0) {
  diag("** ERROR in asp xs=", xs, " ys=", ys, " npl", npl);
  diag("** PSPL magnification", a0, " <", amin, " :(((((");
  for (int i = 1; i <= npl; ++i)
    diag("** planet", i, " q=", q[i - 1], " xp=", xp[i - 1], " yp=", yp[i - 1]);
  die();
}

[[gnu::noinline, gnu::cold]] void report(float xs, float ys, int npl, const float* xp,
                                         const float* yp, const float* q, float a0, float a,
                                         int first, float dfirst, int second, float dsecond) {
  say("PSPL model xs,ys", xs, ys, " A(", std::sqrt(xs * xs + ys * ys), ")=", a0);
  say("Planets:", npl, " del", a / a0 - 1, " A", a);
  if (first >= 1)
    say("Planet", first, " del", dfirst, " q", q[first - 1], " x,y", xp[first - 1], yp[first - 1]);
  if (second >= 1)
    say("Planet", second, " del", dsecond, " q", q[second - 1], " x,y", xp[second - 1],
        yp[second - 1]);
}

// The binary lens in the units of the model. lens2 measures positions in
// Einstein radii of the total mass, the model (and lens1) in Einstein radii of
// the star alone, which are sqrt(1 + q) times smaller. Converted so, the
// binary lens far from the planet is the point lens of the model, and the
// magnification does not jump by about q/2 where a planet starts to count.
void lens2_model_units(float xs, float ys, float xp, float yp, float q, float& a) {
  const float k = 1 / std::sqrt(1 + q);
  lens2(xs * k, ys * k, xp * k, yp * k, q, a);
  ImageList& im = state();
  for (int i = 1; i <= im.nimage; ++i) {
    im.x_i(i) /= k;
    im.y_i(i) /= k;
  }
}

}  // namespace

float asp(float xs, float ys, int npl, const float* xp, const float* yp, const float* q) {
  ProgramState& s = state();
  float a0 = 0;
  lens1(xs, ys, a0);
  if (a0 < amin) pspl_failure(xs, ys, npl, xp, yp, q, a0);
  if (npl <= 0 || *std::max_element(q, q + npl) <= 0) return a0;

  // The single-lens images, before lens2 overwrites the image list.
  const float xk[2] = {s.x_i(1), s.x_i(2)};
  const float yk[2] = {s.y_i(1), s.y_i(2)};
  const float ak[2] = {s.a_i(1), s.a_i(2)};
  const float rk2[2] = {xk[0] * xk[0] + yk[0] * yk[0], xk[1] * xk[1] + yk[1] * yk[1]};

  // Planets far from both images (in log-polar distance) are settled without
  // the estimate's logarithms and angles: the result is then a0 whatever the
  // estimate's rounding.
  bool settled = true;
  for (int i = 0; i < npl; ++i) {
    if (q[i] <= 0) continue;
    const float rp2 = xp[i] * xp[i] + yp[i] * yp[i];
    if (!surely_negligible(rk2[0], rp2, ak[0], a0, q[i]) ||
        !surely_negligible(rk2[1], rp2, ak[1], a0, q[i])) {
      settled = false;
      break;
    }
  }
  if (settled) return a0;

  // Estimated effect of each planet, keeping the two largest.
  int first = 0, second = 0;
  float dfirst = 0, dsecond = 0;
  for (int i = 1; i <= npl; ++i) {
    const float qi = q[i - 1];
    if (qi <= 0) continue;
    const float rp2 = xp[i - 1] * xp[i - 1] + yp[i - 1] * yp[i - 1];
    const float phip = std::atan2(yp[i - 1], xp[i - 1]);
    float del = 0;
    for (int k = 0; k < 2; ++k) {
      // Image-planet distance in log-polar form, in units of the planet's
      // Einstein radius sqrt(q): r^2 ((ln r/rp)^2 + dphi^2) / q.
      const float ell = 0.5f * std::log(rk2[k] / rp2);
      float dphi = std::fmod(std::atan2(yk[k], xk[k]) - phip, twopi);
      if (dphi > pi) dphi -= twopi;
      if (dphi < -pi) dphi += twopi;
      const float uip = std::sqrt(rk2[k] * (ell * ell + dphi * dphi) / qi);
      const float dk = std::fabs(ak[k] * excess(uip) / a0);
      del = std::max(del, dk);
    }
    if (del > dfirst) {
      second = first;
      dsecond = dfirst;
      first = i;
      dfirst = del;
    } else if (del > dsecond) {
      second = i;
      dsecond = del;
    }
  }

  float a = a0;
  const bool used = first >= 1 && std::fabs(dfirst) >= dmin;
  if (used) lens2_model_units(xs, ys, xp[first - 1], yp[first - 1], q[first - 1], a);
  if (second >= 1 && std::fabs(dsecond) > dmin) {
    float a2nd = 0;
    lens2_model_units(xs, ys, xp[second - 1], yp[second - 1], q[second - 1], a2nd);
    a += a2nd - a0;
  }

  // The report follows the planet that enters the magnification. A call in
  // which none does is no change: far planets would otherwise turn the report
  // on and off from one source position to the next.
  if ((used && first != s.aspfirst) || a0 < amin || a < amin) {
    report(xs, ys, npl, xp, yp, q, a0, a, first, dfirst, second, dsecond);
    if (used) s.aspfirst = first;
  }
  return a;
}

}  // namespace zolka
