#include "numeric/rounding.h"

#include <cmath>

namespace zolka {

int nint(float v) {
  return static_cast<int>(std::lround(v));
}

int nint(double v) {
  return static_cast<int>(std::lround(v));
}

void roundoff(float& x, float s) {
  if (s <= 0) return;
  x = s * static_cast<float>(nint(x / s));
}

void roundup(float& x, float s) {
  if (s <= 0) return;
  x = s * static_cast<float>(nint(x / s + 0.5f));
}

void rounddown(float& x, float s) {
  if (s <= 0) return;
  x = s * static_cast<float>(nint(x / s + 0.5f));
}

}  // namespace zolka
