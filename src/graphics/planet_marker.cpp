#include "graphics/planet_marker.h"

#include <cmath>
#include <string>

#include "graphics/ellipse.h"
#include "graphics/pgplot.h"
#include "numeric/angles.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

// A cross about (x, y) with arms dx along x and dy along y.
void cross(float x, float y, float dx, float dy) {
  pgmove(x - dx, y);
  pgdraw(x + dx, y);
  pgmove(x, y - dy);
  pgdraw(x, y + dy);
}

}  // namespace

void planet(std::string_view opt) {
  const ProgramState& s = state();
  const std::string o(trimmed(upcase(opt)));
  say("planet( ", o, " ) ********");
  if (!(s.qpl > 0)) return;
  const float r = std::sqrt(s.qpl);
  if (o == "XY") {
    int fs = 1;
    pgqfs(fs);
    pgsfs(2);
    pgcirc(s.xpl, s.ypl, r);
    pgsfs(fs);
    cross(s.xpl, s.ypl, r, r);
  } else if (o == "UA") {
    if (!(s.upl > 0)) return;
    const float lu = std::log10(s.upl);
    const float deg = rad2deg(s.apl);
    const float dl = std::log10(s.upl + r) - lu;
    const float dd = rad2deg(r);
    cross(lu, deg, dl, dd);
    pgellipse(lu, deg, dl, dd);
  }
}

}  // namespace zolka
