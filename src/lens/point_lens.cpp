#include "lens/point_lens.h"

#include <algorithm>
#include <cmath>

#include "shell/core/state.h"

namespace zolka {

float atotl(float u) {
  const float s = u * u;
  // Two forms of the same function of u^2, meeting at A(1) = 3/sqrt(5).
  if (u > 1) return (s + 2) / (std::fabs(u) * std::sqrt(4 + s));
  return std::sqrt(4 / (s * (4 + s)) + 1);
}

float ainv(float a) {
  if (a < 1) return -1;
  // u^2 = 2/r1 - 2 with r1 = sqrt(1 - 1/a^2). At high magnification r1 -> 1
  // and the difference cancels (u off by 1% at A = 300 in 32 bits), so it is
  // evaluated as 2 (1 - r1)/r1 with 1 - r1 = (1/a^2)/(1 + r1):
  //   u^2 = 2/(a^2 r1 (1 + r1))
  const float r1 = std::sqrt(1 - 1 / (a * a));
  return std::sqrt(2 / (a * a * r1 * (1 + r1)));
}

float thalf(float a0) {
  if (a0 < 1) return -1;
  const float ah = (a0 + 1) / 2;
  const float uh = ah < 1 ? -1.0f : ainv(ah);
  const float u0 = ainv(a0);
  return std::sqrt(uh * uh - u0 * u0);
}

float thalf_u0(float u0) {
  if (u0 == 0) return 0;
  const float a0 = atotl(u0);
  const float ah = (a0 + 1) / 2;
  const float uh = ah < 1 ? -1.0f : ainv(ah);
  return std::sqrt(uh * uh - u0 * u0);
}

// Images of a point lens at theta = h +- r, h = u/2, r = sqrt(h^2 + 1).
float uplus(float u) {
  const float h = u / 2;
  return h + std::sqrt(h * h + 1);
}

float uminus(float u) {
  const float h = u / 2;
  return h - std::sqrt(h * h + 1);
}

float aplus(float u) {
  const float h = u / 2;
  const float r = std::sqrt(h * h + 1);
  return std::fabs((1 + h / r) / 2 * (h + r) / u);
}

float aminus(float u) {
  const float h = u / 2;
  const float r = std::sqrt(h * h + 1);
  return std::fabs((1 - h / r) / 2 * (h - r) / u);
}

float dpspl(float u) {
  // dA/du = -8 / (s (4 + s) sqrt(4 + s)), s = u^2
  const double s = std::max(static_cast<double>(u) * u, 1e-40);
  return static_cast<float>(-8.0 / (s * (4.0 + s) * std::sqrt(4.0 + s)));
}

void lens1(float x, float y, float& a) {
  ImageList& im = state();
  float u = std::sqrt(x * x + y * y);
  // A source exactly on the lens: take a tiny separation along +x, which gives
  // a very large but finite magnification.
  float ux = 1, uy = 0;
  if (u > 0) {
    ux = x / u;
    uy = y / u;
  } else {
    u = 1e-10f;
  }
  const float h = u / 2;
  const float r = std::sqrt(h * h + 1);
  const float ap = std::fabs((1 + h / r) / 2 * (h + r) / u);
  const float am = std::fabs((1 - h / r) / 2 * (h - r) / u);
  im.x_i(1) = ux * (r + h);
  im.y_i(1) = uy * (r + h);
  im.a_i(1) = ap;
  im.x_i(2) = ux * (h - r);
  im.y_i(2) = uy * (h - r);
  im.a_i(2) = am;
  im.nimage = 2;
  a = ap + am;
}

namespace {
// tau = (hjd - hjd0)/te formed in double precision, then rounded to single.
float tau_of(const ProgramState& s, int i) {
  return static_cast<float>((s.hjd_t(i) - s.hjd0) / s.te);
}
}  // namespace

void psplcalc() {
  ProgramState& s = state();
  for (int i = 1; i <= s.ndata; ++i) {
    const float tau = tau_of(s, i);
    const float u = std::sqrt(std::max(tau * tau + s.y0 * s.y0, 1e-20f));
    s.a_t(i) = atotl(u);
  }
}

void dpsplcalc() {
  ProgramState& s = state();
  for (int i = 1; i <= s.ndata; ++i) {
    const float tau = tau_of(s, i);
    const float u2 = std::max(tau * tau + s.y0 * s.y0, 1e-20f);
    const float u = std::sqrt(u2);
    s.a_t(i) = (2 + u2) / (std::sqrt(u2) * std::sqrt(u2 + 4));
    const float d = dpspl(u);
    s.dpspl_t(i) = d;
    s.dpspl_dt0_t(i) = -d * tau / (u * s.te);
    s.dpspl_dte_t(i) = -d * tau * tau / (u * s.te);
    s.dpspl_dy0_t(i) = d * s.y0 / u;
  }
}

}  // namespace zolka
