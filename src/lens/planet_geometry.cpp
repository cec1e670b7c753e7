#include "lens/planet_geometry.h"

#include <algorithm>
#include <cmath>

#include "lens/point_lens.h"
#include "numeric/angles.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {
// t0 = hjd0 - mjd0, rounded to single precision; refreshed before use.
float refresh_t0() {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  return s.t0;
}
}  // namespace

float xy2a(float x, float y) {
  return std::atan2(x, y);
}

float xy2deg(float x, float y) {
  return rad2deg(xy2a(x, y));
}

void xy2ua(float x, float y, float& u, float& a) {
  u = std::sqrt(x * x + y * y);
  a = std::atan2(x, y);
}

void a2xy(float a, float& x, float& y) {
  x = std::sin(a);
  y = std::cos(a);
}

void ua2xy(float u, float a, float& x, float& y) {
  x = u * std::sin(a);
  y = u * std::cos(a);
}

void xy2la(int n, const float* x, const float* y, float* lu, float* deg) {
  for (int i = 0; i < n; ++i) {
    lu[i] = std::log10(std::max(1e-5f, std::sqrt(x[i] * x[i] + y[i] * y[i])));
    deg[i] = xy2deg(x[i], y[i]);
  }
}

float t2a(float t) {
  const ProgramState& s = state();
  const float t0 = refresh_t0();
  return std::atan2((t - t0) / s.te, s.y0);
}

float t2deg(float t) {
  return rad2deg(t2a(t));
}

float xy2t(float x, float y) {
  const ProgramState& s = state();
  const float t0 = refresh_t0();
  float tau = x;
  if (std::fabs(y) > 1e-5f && std::fabs(s.y0) > 1e-5f) tau = x * s.y0 / y;
  return t0 + tau * s.te;
}

void xy2tf(float x, float y, float& t, float& f) {
  const ProgramState& s = state();
  const float t0 = refresh_t0();
  const float u = std::sqrt(x * x + y * y);
  // The source's separation when it crosses the planet's azimuth.
  const float us = std::fabs(s.y0 * u / (y + 1e-6f));
  if (y > 0) f = u / uplus(us);
  if (y < 0) f = u / (uminus(us) - 1e-6f);
  const float e = y < 0 ? -1e-6f : 1e-6f;
  t = t0 + x * s.y0 / (y + e) * s.te;
}

float fixangle(float a, float lo, float hi, float period) {
  if (period <= 0) return a;
  // A step that no longer moves a (an infinite or a huge angle) ends the
  // loop instead of spinning for ever.
  while (a < lo) {
    const float b = a + period;
    if (b == a) break;
    a = b;
  }
  while (a > hi) {
    const float b = a - period;
    if (b == a) break;
    a = b;
  }
  return a;
}

void fixangles(int n, float* a, float lo, float hi, float period) {
  for (int i = 0; i < n; ++i) a[i] = fixangle(a[i], lo, hi, period);
}

void setplxy(float x, float y) {
  ProgramState& s = state();
  s.xpl = x;
  s.ypl = y;
  xy2tf(x, y, s.tpl, s.fpl);
  xy2ua(x, y, s.upl, s.apl);
}

void setplua(float u, float a) {
  ProgramState& s = state();
  s.upl = u;
  s.apl = a;
  s.xpl = u * std::sin(a);
  s.ypl = u * std::cos(a);
  xy2tf(s.xpl, s.ypl, s.tpl, s.fpl);
}

void setpltf(float t, float f) {
  ProgramState& s = state();
  const float t0 = refresh_t0();
  s.tpl = t;
  s.fpl = f;
  const float tau = (t - t0) / s.te;
  const float us = std::sqrt(s.y0 * s.y0 + tau * tau);
  // The planet lies on the line from the star through the source at time t,
  // at f times the image distance; negative f puts it on the minor side.
  const float theta = f >= 0 ? uplus(us) : -uminus(us);
  if (us > 0) {
    s.xpl = tau * theta * f / us;
    s.ypl = theta * f * s.y0 / us;
  } else {
    // The source on the star (y0 = 0 at t = t0) gives no direction; take the
    // limit y0 -> 0+, the direction of closest approach (+y).
    s.xpl = 0;
    s.ypl = theta * f;
  }
  xy2ua(s.xpl, s.ypl, s.upl, s.apl);
}

void setplaf(float a, float f) {
  float x = 0, y = 0;
  a2xy(a, x, y);
  setpltf(xy2t(x, y), f);
}

void setplpos() {
  ProgramState& s = state();
  const std::string p(trimmed(s.plpos));
  if (p == "XY")
    setplxy(s.xpl, s.ypl);
  else if (p == "TF")
    setpltf(s.tpl, s.fpl);
  else if (p == "UA")
    setplua(s.upl, s.apl);
  else
    diag("** INVALID plpos :", p);
}

}  // namespace zolka
