#include "graphics/lens_plane.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/pgplot.h"
#include "graphics/points.h"
#include "lens/planet_geometry.h"
#include "lens/point_images.h"
#include "lens/point_lens.h"
#include "numeric/angles.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

constexpr int sourcecolour = 3;  // colour index of the circles about the sources

// Circle of radius r about (x, y); a radius that is not positive (no
// magnification reaches the threshold) draws nothing.
void circle(float x, float y, float r) {
  if (r > 0) pgcirc(x, y, r);
}

}  // namespace

void marksites(int isymb) {
  ProgramState& s = state();
  say("marksites(", isymb, " ) ****************");
  const int n = s.ndata;
  if (n < 1) return;
  xcalc();
  lcalc(n, &s.x_t(1), s.y0);
  if (isymb < 0) {
    Vec1<float>& y = s.plot(0);
    Vec1<float>& zero = s.plot(1);
    for (int i = 1; i <= n; ++i) {
      y(i) = s.y0;
      zero(i) = 0;
    }
    pgxys(s.x_t, y, zero, zero);
    pgxys(s.xp_t, s.yp_t, zero, zero);
    pgxys(s.xm_t, s.ym_t, zero, zero);
    return;
  }
  if (isymb == 0) {
    const float r = std::sqrt(std::max(s.qpl, 0.0f));
    int fs = 1;
    pgqfs(fs);
    pgsfs(2);
    pgsls(1);
    for (int i = 1; i <= n; ++i) {
      pgsci(sourcecolour);
      circle(s.x_t(i), s.y0, r);
      pgsci(s.kolor_model);
      // The magnification the point must gain to show a planet: the
      // threshold delchi2 in units of its error bar.
      const float f = std::pow(10.0f, 0.4f * std::sqrt(std::max(s.delchi2, 0.0f)) * s.sigmag_t(i));
      if (s.ap_t(i) > 0)
        circle(s.xp_t(i), s.yp_t(i), r * ainv((s.a_t(i) * f - s.am_t(i)) / s.ap_t(i)));
      if (s.am_t(i) > 0)
        circle(s.xm_t(i), s.ym_t(i), r * ainv((s.a_t(i) * f - s.ap_t(i)) / s.am_t(i)));
    }
    pgsfs(fs);
    return;
  }
  for (int i = 1; i <= n; ++i) {
    pgpoint(1, &s.x_t(i), &s.y0, isymb);
    pgpoint(1, &s.xm_t(i), &s.ym_t(i), isymb);
    pgpoint(1, &s.xp_t(i), &s.yp_t(i), isymb);
  }
}

void ering(std::string_view opt) {
  const std::string o = upcase(opt);
  say("ering( ", trimmed(o), " ) **********");
  const std::string_view kind = trimmed(o);
  if (kind == "XY") {
    int fs = 1;
    pgqfs(fs);
    pgsfs(2);
    pgcirc(0, 0, 1);
    pgsfs(fs);
    const float zero = 0;
    pgpoint(1, &zero, &zero, 2);
    return;
  }
  if (kind != "TF" && kind != "UA") return;
  // The circle in two halves, 0..180 and 180..360 degrees, a polyline each.
  constexpr int nhalf = 181;
  float x[nhalf], y[nhalf];
  for (int half = 0; half < 2; ++half) {
    float f = 0;
    for (int k = 0; k < nhalf; ++k) {
      const float d = deg2rad(static_cast<float>(180 * half + k));
      const float cx = std::cos(d), cy = std::sin(d);
      if (kind == "TF") {
        // On the x axis the image-relative distance keeps its last value.
        xy2tf(cx, cy, x[k], f);
        y[k] = f;
      } else {
        x[k] = 0;
        y[k] = xy2deg(cx, cy);
      }
    }
    pgline(nhalf, x, y);
  }
}

}  // namespace zolka
