#include "lens/detection_zone.h"

#include <cmath>

#include "lens/point_lens.h"
#include "shell/core/state.h"

namespace zolka {

namespace {
constexpr float zeropoint = 5e9f;       // detected rate of a magnitude-0 star
constexpr float skyarea = 2.26618f;     // square arcseconds of sky in the aperture
constexpr float exposure = 100;         // time units per measurement
constexpr float geometry = 1.0471976f;  // pi/3, scale of the zone width
}  // namespace

float dzwstd(float q, float u, float smag, float b) {
  ProgramState& s = state();
  if (s.dzwset && q == s.dzwq && u == s.dzwu && smag == s.dzwsmag && b == s.dzwb) return s.dzwval;

  // Photometry: source, blend and sky rates and the signal-to-noise ratio of
  // the magnified source in one exposure.
  const float a = atotl(u);
  const float f0 = zeropoint * std::pow(10.0f, -0.4f * smag);
  const float fs = std::fabs(f0 / (b + 1));
  const float fb = std::fabs(b * fs);
  const float fsky = zeropoint * std::pow(10.0f, -7.6f) * skyarea;
  const float fn = fb + fs * a + fsky;
  const float snr = fs * a * std::sqrt(exposure / fn);

  // Geometry: F = 2/B + 2 (2 + u^2) / ((2 + u^2 + B) B), B = sqrt(u^2 (4 + u^2)).
  const float u2 = u * u;
  const float bb = std::sqrt(u2 * (4 + u2));
  const float f = 2 / bb + 2 * (2 + u2) / ((2 + u2 + bb) * bb);

  const float result = geometry * q * f * snr;
  s.dzwset = true;
  s.dzwq = q;
  s.dzwu = u;
  s.dzwsmag = smag;
  s.dzwb = b;
  s.dzwval = result;
  return result;
}

}  // namespace zolka
