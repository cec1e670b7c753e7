#include "graphics/image_plot.h"

#include <algorithm>
#include <string>

#include "fit/captions.h"
#include "graphics/image_paths.h"
#include "graphics/legend.h"
#include "graphics/lens_plane.h"
#include "graphics/pgplot.h"
#include "graphics/planet_marker.h"
#include "lens/point_lens.h"
#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr int planetcolour = 3;  // colour index of the planet's marker

}  // namespace

void iplot(float umin1, float umin2, int n) {
  ProgramState& s = state();
  say("iplot ****************", umin1, umin2, n);
  const float xmin = -3, xmax = 3;
  const float ymin = -1.3f, ymax = 1.3f * std::max(uplus(1.1f), uplus(s.y0 + 0.3f));
  say("x", xmin, xmax, " y", ymin, ymax);
  pgsci(s.kolor_window);
  pgenv(xmin, xmax, ymin, ymax, 1, 0);

  std::string title;
  if (s.nloc > 0) {
    title_event(title);
    title_q(title);
  } else {
    title = "Image Trajectories";
  }
  pgsci(s.kolor_label);
  pglabel("x/R\\dE\\u", "y/R\\dE\\u", title);
  legend_planet('B');

  pgsci(s.kolor_window);
  ering("XY");
  pgsci(planetcolour);
  planet("XY");
  // Equal scales widen one of the ranges: the lines span the whole window.
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  pgqwin(x1, x2, y1, y2);
  if (s.qpl > 0 && s.xpl >= x1 && s.xpl <= x2 && s.ypl >= y1 && s.ypl <= y2) {
    pgsls(2);
    pgmove(x1, s.ypl);
    pgdraw(x2, s.ypl);
    pgmove(s.xpl, y1);
    pgdraw(s.xpl, y2);
    pgsls(1);
  }

  pgsci(s.kolor_model);
  impaths(4, 4);
  if (n >= 1) {
    const float y0 = s.y0;
    for (int k = 1; k <= n; ++k) {
      const float a = static_cast<float>(k - 1) / static_cast<float>(std::max(n - 1, 1));
      s.y0 = (1 - a) * umin1 + a * umin2;
      impaths(4, 4);
    }
    s.y0 = y0;
  }
  marksites(-1);
}

}  // namespace zolka
