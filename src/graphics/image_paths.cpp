#include "graphics/image_paths.h"

#include <cmath>

#include "graphics/pgplot.h"
#include "lens/image_tracks.h"
#include "shell/core/print.h"

namespace zolka {

namespace {

// The polyline (x(i), y(i)), i = 1 .. n, in pieces between the points where
// y jumps by more than jump.
void broken_line(const Vec1<float>& x, const Vec1<float>& y, float jump) {
  const int n = x.size();
  int first = 1;
  for (int i = 2; i <= n + 1; ++i) {
    if (i <= n && std::fabs(y(i) - y(i - 1)) <= jump) continue;
    pgline(i - first, &x(first), &y(first));
    first = i;
  }
}

}  // namespace

void impaths(int ls1, int ls2) {
  say("impaths(", ls1, ls2, " ) ****************");
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  pgqwin(x1, x2, y1, y2);
  ImageTracks t;
  impaths_tracks(x1, x2, t);
  pgsls(ls1);
  pgline(t.xs.size(), t.xs, t.ys);
  pgsls(ls2);
  pgline(t.xm.size(), t.xm, t.ym);
  pgline(t.xp.size(), t.xp, t.yp);
  pgsls(1);
}

void impathal(float amin, float amax, float period, int ls1, int ls2) {
  say("impathal(", amin, amax, period, ls1, ls2, " ) ******");
  const float p = period == 0 ? 360.0f : std::fabs(period);
  ImageTracks t;
  impathal_tracks(amin, amax, period, t);
  pgsls(ls1);
  broken_line(t.xs, t.ys, p / 2);
  pgsls(ls2);
  broken_line(t.xm, t.ym, p / 2);
  broken_line(t.xp, t.yp, p / 2);
  pgsls(1);
}

}  // namespace zolka
