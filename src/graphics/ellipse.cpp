#include "graphics/ellipse.h"

#include <cmath>

#include "graphics/pgplot.h"

namespace zolka {

void pgellipse(float x0, float y0, float rx, float ry) {
  constexpr int npoint = 30;
  constexpr float twopi = 6.2831855f;
  float x[npoint], y[npoint];
  for (int k = 0; k < npoint; ++k) {
    const float theta = twopi * static_cast<float>(k) / static_cast<float>(npoint - 1);
    x[k] = x0 + rx * std::cos(theta);
    y[k] = y0 + ry * std::sin(theta);
  }
  pgline(npoint, x, y);
}

}  // namespace zolka
