#include "lens/image_tracks.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "lens/planet_geometry.h"
#include "lens/point_images.h"
#include "numeric/rounding.h"
#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr float reach = 1.5f;       // zone half-widths beyond which an image is ignored
constexpr int nsample = 10000;      // first samples of the lens-plane tracks
constexpr int maxtrack = 100000;    // most points of a refined lens-plane track
constexpr float trackstep = 0.01f;  // largest image step along a refined track, Einstein radii
constexpr int nsample_la = 1000;    // samples of the log-separation/azimuth tracks
constexpr float taumax = 30;        // those samples run over tau = -30 .. 30

// One image's contribution to imclose's sum, or a negative value when the
// image is too far. theta: image distance, g: weight from its magnification,
// (x, y) its position, extra: additional angular half-width.
inline float bump(float u, float alpha, float theta, float g, float x, float y, float sigma,
                  float q, float extra) {
  // Radial half-width in ln r of the zone, and the planet's offset from it.
  const float w = std::sqrt(g * q / sigma / (theta * theta));
  const float m = std::log(u / theta);
  if (std::fabs(m) > reach * w) return -1;
  const float hw = extra + w;
  // Angular offset reduced by whole turns into [-pi, pi].
  const float o = std::remainder(alpha - std::atan2(x, y), twopi);
  if (!(std::fabs(o) <= reach * hw)) return -1;
  return 2 / ((m / w) * (m / w) + (o / hw) * (o / hw) + 1);
}

void copy_track(const Vec1<float>& x, const Vec1<float>& y, int n, Vec1<float>& tx,
                Vec1<float>& ty) {
  tx.resize(n);
  ty.resize(n);
  for (int i = 1; i <= n; ++i) {
    tx(i) = x(i);
    ty(i) = y(i);
  }
}

}  // namespace

bool imclose(float u, float alpha) {
  ProgramState& s = state();
  if (s.qpl <= 0) {
    say("imclose(", u, alpha, " ) for q=", s.qpl);
    diag("** ERROR invalid q");
    return true;
  }
  if (s.qpl != s.qclose) {
    s.qclose = s.qpl;
    s.rclose = std::sqrt(s.qpl);
  }
  const float q = s.qclose;
  const float r = s.rclose;
  float sum = 0;
  for (int i = 1; i <= s.ndata; ++i) {
    const float sigma = s.erbmag_t(i);
    float b = bump(u, alpha, std::fabs(s.up_t(i)), 2 * std::fabs(s.ap_t(i)) - 1, s.xp_t(i),
                   s.yp_t(i), sigma, q, 0);
    if (b > 0) {
      sum += b;
      if (sum > 1) return true;
    }
    b = bump(u, alpha, std::fabs(s.um_t(i)), 2 * std::fabs(s.am_t(i)), s.xm_t(i), s.ym_t(i), sigma,
             q, r);
    if (b > 0) {
      sum += b;
      if (sum > 1) return true;
    }
  }
  return false;
}

void impaths_tracks(float xmin, float xmax, ImageTracks& t) {
  ProgramState& s = state();
  std::vector<float> xs(nsample);
  for (int i = 0; i < nsample; ++i)
    xs[i] = xmin + (xmax - xmin) * static_cast<float>(i) / static_cast<float>(nsample - 1);
  lcalc(nsample, xs.data(), s.y0);

  // Refine: each step becomes B = max(1, nint(d/0.01)) points, d the larger
  // distance moved by either image, up to maxtrack points in all.
  std::vector<float> fine;
  bool refined = false;
  const int n = nsample;
  for (int i = 1; i <= n; ++i) {
    const int j = std::min(i + 1, n);
    const float dm = std::hypot(s.xm_t(j) - s.xm_t(i), s.ym_t(j) - s.ym_t(i));
    const float dp = std::hypot(s.xp_t(j) - s.xp_t(i), s.yp_t(j) - s.yp_t(i));
    const int nb = std::max(1, nint(std::max(dm, dp) / trackstep));
    if (nb > 1) refined = true;
    const float x0 = xs[i - 1];
    const float dx = xs[j - 1] - x0;
    for (int k = 0; k < nb && static_cast<int>(fine.size()) < maxtrack; ++k)
      fine.push_back(x0 + dx * static_cast<float>(k) / static_cast<float>(std::max(nb - 1, 1)));
  }
  int np = n;
  if (refined) {
    xs = fine;
    np = static_cast<int>(xs.size());
  }
  if (s.x_t.size() < np) s.resize(np);
  for (int i = 1; i <= np; ++i) s.x_t(i) = xs[i - 1];
  if (refined) lcalc(np, s.x_t.data(), s.y0);

  t.xs.resize(2);
  t.ys.resize(2);
  t.xs(1) = xmin;
  t.xs(2) = xmax;
  t.ys(1) = s.y0;
  t.ys(2) = s.y0;
  copy_track(s.xm_t, s.ym_t, np, t.xm, t.ym);
  copy_track(s.xp_t, s.yp_t, np, t.xp, t.yp);
}

void impathal_tracks(float amin, float amax, float period, ImageTracks& t) {
  ProgramState& s = state();
  const float p = period == 0 ? 360.0f : std::fabs(period);
  const int n = nsample_la;
  if (s.x_t.size() < n) s.resize(n);
  for (int i = 1; i <= n; ++i)
    s.x_t(i) = -taumax + 2 * taumax * static_cast<float>(i - 1) / static_cast<float>(n - 1);
  lcalc(n, s.x_t.data(), s.y0);

  // (log10 r, azimuth in degrees), the azimuths wrapped into [amin, amax].
  std::vector<float> y0s(n, s.y0);
  auto convert = [&](const float* x, const float* y, Vec1<float>& lu, Vec1<float>& deg) {
    lu.resize(n);
    deg.resize(n);
    xy2la(n, x, y, lu.data(), deg.data());
    fixangles(n, deg.data(), amin, amax, p);
  };
  convert(s.x_t.data(), y0s.data(), t.xs, t.ys);
  convert(s.xm_t.data(), s.ym_t.data(), t.xm, t.ym);
  convert(s.xp_t.data(), s.yp_t.data(), t.xp, t.yp);
}

}  // namespace zolka
