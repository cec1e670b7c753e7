#include "fit/packing.h"

#include <algorithm>
#include <cmath>

#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "numeric/rounding.h"
#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr float y0floor = 1e-5f;       // smallest impact parameter a fit may reach
constexpr float sigmag0floor = 0.01f;  // baseline noise packed from at least this, mag
constexpr float maxtimeloss = 50;      // seconds a packed peak time may lose

// Peak magnification of the packing: the point lens at max(|y0|, 1e-5).
float packing_a0(const ProgramState& s) {
  return atotl(std::max(std::fabs(s.y0), y0floor));
}

}  // namespace

int nonlinear_count(int n) {
  if (n <= 0) return 0;
  return n <= 4 ? n - 1 : n - 2;
}

void safe(float* p, float* dp) {
  ProgramState& s = state();
  const int n = s.npfit;
  s.nonlinpar = nonlinear_count(n);
  s.safety(1) = 1;
  s.safety(2) = y0floor;
  s.kpar(3) = 1;
  s.kpar(4) = 2;
  s.kpar(5) = 3;
  const float a0 = packing_a0(s);
  if (n >= 2) {
    const float t0 = static_cast<float>(s.hjd0 - s.mjd0);
    const int k = nint(t0);
    s.safety(3) = k;
    p[0] = t0 - static_cast<float>(k);
    dp[0] = 0.05f * s.te * thalf(a0);
  }
  if (n >= 3) {
    p[1] = std::log10(s.te);
    dp[1] = 0.05f;
  }
  if (n >= 4) {
    p[2] = std::log10(a0 - 1);
    dp[2] = 0.1f;
  }
  if (n >= 6) {
    p[3] = std::log10(std::max(s.sigmag0, sigmag0floor));
    dp[3] = 0.05f;
  }
  if (n >= 7) {
    p[4] = std::log10(s.erbscl);
    dp[4] = 0.15f;
  }
  if (n >= 8) {
    const float r = std::sqrt(std::fabs(s.qpl));
    float v6 = 0, d6 = 0, v7 = 0, d7 = 0;
    if (s.plpos == "XY") {
      v6 = s.xpl;
      d6 = 0.25f * r;
      v7 = s.ypl;
      d7 = 0.25f * r;
    } else if (s.plpos == "UA") {
      // A step in ln u of the same relative size as the step in azimuth.
      v6 = s.apl;
      d6 = 0.25f * r / std::max(r, s.upl);
      v7 = std::log(s.upl);
      d7 = d6;
    } else if (s.plpos == "TF") {
      v6 = s.tpl;
      d6 = 0.25f * r * s.te;
      v7 = std::log(std::fabs(s.fpl));
      d7 = 0.25f * r;
    }
    p[5] = v6;
    dp[5] = d6;
    if (n >= 9) {
      p[6] = v7;
      dp[6] = d7;
    }
  }
  if (n >= 10) {
    p[7] = std::log10(s.qpl);
    dp[7] = 0.5f;
  }
}

void desafe(const float* p) {
  ProgramState& s = state();
  const int n = s.npfit;
  if (n >= 2) {
    const double k = s.safety(3);
    s.hjd0 = static_cast<double>(p[0]) + (s.mjd0 + k);
    s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
    const float kept = s.t0 - static_cast<float>(k);
    const float loss = p[0] - kept;
    const float seconds = loss * 86400;
    if (std::fabs(seconds) > maxtimeloss)
      diag("** WARNING desafe( t0 )", static_cast<int>(k), " +", p[0], " -", kept, " =", loss, " =",
           nint(seconds), " s");
  }
  if (n >= 3) s.te = std::pow(10.0f, p[1]);
  if (n >= 4) {
    // A0 - 1 below the resolution of A0 would give A0 = 1 and an infinite
    // impact parameter: A0 stays at least one step above 1.
    const float a = std::max(std::pow(10.0f, p[2]) + 1, std::nextafter(1.0f, 2.0f));
    s.y0 = std::max(ainv(a), y0floor);
    s.a0 = atotl(s.y0);
  }
  if (n >= 6) {
    s.sigmag0 = std::pow(10.0f, p[3]);
    s.sigmag0_l(1) = s.sigmag0;
  }
  if (n >= 7) {
    s.erbscl = std::pow(10.0f, p[4]);
    s.erbscl_l(1) = s.erbscl;
  }
  if (n >= 8) {
    if (s.plpos == "XY") {
      s.xpl = p[5];
      if (n >= 9) s.ypl = p[6];
    } else if (s.plpos == "UA") {
      s.apl = p[5];
      if (n >= 9) s.upl = std::exp(p[6]);
    } else if (s.plpos == "TF") {
      s.tpl = p[5];
      if (n >= 9) s.fpl = std::copysign(std::exp(p[6]), s.fpl);
    }
  }
  if (n >= 10) s.qpl = std::pow(10.0f, p[7]);
  if (n >= 8) setplpos();
}

}  // namespace zolka
