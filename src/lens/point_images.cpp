#include "lens/point_images.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "lens/multi_planet.h"
#include "lens/point_lens.h"
#include "shell/core/state.h"

namespace zolka {

namespace {
constexpr float ysmin = 1e-5f;  // smallest source height: keeps the direction (xs, ys)/u defined
}  // namespace

void xcalc() {
  ProgramState& s = state();
  if (s.x_t.size() < s.ndata) s.resize(s.ndata);
  for (int i = 1; i <= s.ndata; ++i) s.x_t(i) = static_cast<float>((s.hjd_t(i) - s.hjd0) / s.te);
}

void lcalc(int n, const float* xs, float ys) {
  ProgramState& s = state();
  std::vector<float> copy;
  if (s.x_t.size() < n) {
    // Growing the arrays may move x_t, which xs may point into.
    copy.assign(xs, xs + n);
    xs = copy.data();
    s.resize(n);
  }
  const float y = std::max(ys, ysmin);
  for (int i = 1; i <= n; ++i) {
    const float x = xs[i - 1];
    const float u = std::sqrt(y * y + x * x);
    const float tp = uplus(u);
    const float tm = uminus(u);
    s.up_t(i) = tp;
    s.xp_t(i) = tp * x / u;
    s.yp_t(i) = tp * y / u;
    s.um_t(i) = tm;
    s.xm_t(i) = tm * x / u;
    s.ym_t(i) = tm * y / u;
    s.ap_t(i) = aplus(u);
    s.am_t(i) = aminus(u);
    s.u_t(i) = u;
    s.a_t(i) = asp(x, y, 1, &s.xpl, &s.ypl, &s.qpl);
    s.ab_t(i) = s.b0 > 0 ? s.a_t(i) + s.b0 : s.a_t(i);
  }
}

}  // namespace zolka
