#include "detect/set_planet.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "detect/grids.h"
#include "fit/fit_drivers.h"
#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "numeric/angles.h"
#include "numeric/rounding.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

constexpr int optlen = 10;       // characters of a map kind that count
constexpr float usnear = 0.05f;  // the best map planet guides the scan for separations
constexpr float usfar = 20;      // strictly between these, Einstein radii
constexpr float maxhalf = 180;   // largest half-range of the scan, degrees
constexpr float tespan = 5;      // otherwise the scan covers t0 -+ 5 te

// Azimuth (degrees) of scan position p of n cells from deg1 to deg2; cell i
// has its centre at p = i, and p may be fractional.
float scan_deg(float p, int n, float deg1, float deg2) {
  const float a = (p - 0.5f) / static_cast<float>(n);
  return (1 - a) * deg1 + a * deg2;
}

// qpl = 10^logq and f at the best azimuth (see the header).
void azimuth_search(float f, float logq) {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  const float q = std::pow(10.0f, logq);
  const float r = std::sqrt(q);

  // The scan range: the detection zone of the best map planet seen from the
  // star, or the source track over ten Einstein times.
  const float us = std::sqrt(s.xplfit * s.xplfit + s.yplfit * s.yplfit);
  float deg1 = 0, deg2 = 0, theta0 = 0;
  if (us > usnear && us < usfar) {
    const float thp = uplus(us);
    const float thm = uminus(us);
    const float ap = aplus(us);
    const float w = std::sqrt(q / 0.01f * (2 * ap - 1));
    const float half = std::max({w / std::fabs(thp), w / std::fabs(thm), r});
    const float halfdeg = std::min(rad2deg(half), maxhalf);
    const float centre = t2deg(xy2t(s.xplfit, s.yplfit));
    deg1 = centre - halfdeg;
    deg2 = centre + halfdeg;
    theta0 = thp;
  } else {
    theta0 = uplus(s.y0);
    deg2 = t2deg(s.t0 + tespan * s.te);
    deg1 = t2deg(s.t0 - tespan * s.te);
  }

  // One cell per planet Einstein radius seen at the image distance theta0,
  // at most maxgrid cells (the scan array's capacity).
  const float step = rad2deg(r / theta0);
  const float range = std::fabs(deg2 - deg1);
  const int n = grid_count(range / step);

  s.qpl = q;
  s.c_a.resize(n);
  int ibest = 1;
  float best = 0;
  for (int i = 1; i <= n; ++i) {
    setplaf(deg2rad(scan_deg(static_cast<float>(i), n, deg1, deg2)), f);
    float chi2 = 0;
    int nd = 0;
    chi2calc(chi2, nd);
    s.c_a(i) = chi2;
    if (i == 1 || chi2 <= best) {
      best = chi2;
      ibest = i;
    }
  }

  // Vertex of the parabola through cells l, l + 1, l + 2 (the last cell
  // repeated at the end of the scan), in cell widths from the middle one. A
  // scan of one cell has nothing to refine.
  float pbest = static_cast<float>(ibest);
  if (n >= 2) {
    const int l = std::max(ibest - 1, 1);
    const int m = std::min(l + 2, n);
    const float kappa = s.c_a(l) - 2 * s.c_a(l + 1) + s.c_a(m);
    float offset = kappa > 0 ? -(s.c_a(m) - s.c_a(l)) / (2 * kappa) : 0.0f;
    offset = std::clamp(offset, -1.0f, 1.0f);
    pbest = static_cast<float>(l + 1) + offset;
  }
  const float degbest = scan_deg(pbest, n, deg1, deg2);
  setplaf(deg2rad(degbest), f);
  float chi2 = 0;
  int nd = 0;
  chi2calc(chi2, nd);
  say("logQ", logq, " F", f, " alp (", nint(deg2), " -", nint(deg1), " ) /", n, " best", pbest,
      degbest, " chi2min =", best);
}

}  // namespace

void setplanet(std::string_view opt, float c1, float c2) {
  std::string o = upcase(trimmed(opt));
  cut(o, optlen);
  if (o == "XY") {
    setplxy(c1, c2);
  } else if (o == "UA") {
    setplua(std::pow(10.0f, c1), deg2rad(c2));
  } else if (o == "TF") {
    setpltf(c1, c2);
  } else if (o == "FQ") {
    azimuth_search(c1, c2);
  } else {
    diag("** INVALID OPTION setplanet( ", o, " )");
    die();
  }
}

}  // namespace zolka
