#include "detect/map_profiles.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "shell/core/state.h"

namespace zolka {

namespace {

// Scales v(1..n) so that its largest value is 1, when that value is positive.
void to_unit_max(Vec1<float>& v, int n) {
  float vmax = 0;
  for (int i = 1; i <= n; ++i) vmax = std::max(vmax, v(i));
  if (!(vmax > 0)) return;
  for (int i = 1; i <= n; ++i) v(i) /= vmax;
}

}  // namespace

MapRange map_profiles() {
  ProgramState& s = state();
  const int n1 = std::max(s.n_1, 0), n2 = std::max(s.n_2, 0);
  MapRange r;
  r.npix = s.chi2_12.size() >= n1 * n2 ? n1 * n2 : 0;
  s.post_12.assign(r.npix, 0.0f);
  s.chi2_1.assign(n1, 0.0f);
  s.post_1.assign(n1, 0.0f);
  s.chi2_2.assign(n2, 0.0f);
  s.post_2.assign(n2, 0.0f);
  if (r.npix == 0) return r;

  constexpr float big = std::numeric_limits<float>::max();
  float cmin = big, cmax = -big;
  const float* c = s.chi2_12.data();
  for (int p = 0; p < r.npix; ++p) {
    if (!std::isfinite(c[p])) continue;
    cmin = std::min(cmin, c[p]);
    cmax = std::max(cmax, c[p]);
  }
  if (cmin > cmax) return r;
  r.chi2min = cmin;
  r.chi2max = cmax;

  // post_12 = exp(-(chi2 - chi2min)/2), at most 1 at the best pixel.
  float* post = s.post_12.data();
  for (int p = 0; p < r.npix; ++p)
    post[p] = std::isfinite(c[p]) ? std::exp(-0.5f * (c[p] - cmin)) : 0.0f;

  for (int k = 1; k <= n1; ++k) s.chi2_1(k) = big;
  for (int j = 1; j <= n2; ++j) {
    const float* row = c + static_cast<std::size_t>(j - 1) * n1;
    const float* prow = post + static_cast<std::size_t>(j - 1) * n1;
    float rowmin = big, rowsum = 0;
    for (int k = 1; k <= n1; ++k) {
      const float v = std::isfinite(row[k - 1]) ? row[k - 1] : big;
      rowmin = std::min(rowmin, v);
      rowsum += prow[k - 1];
      s.chi2_1(k) = std::min(s.chi2_1(k), v);
      s.post_1(k) += prow[k - 1];
    }
    s.chi2_2(j) = rowmin;
    s.post_2(j) = rowsum;
  }
  to_unit_max(s.post_1, n1);
  to_unit_max(s.post_2, n2);
  return r;
}

}  // namespace zolka
