// How the plots write a magnification: more decimals the closer it is to 1.
#pragma once

#include <cmath>
#include <string>

#include "numeric/rounding.h"
#include "shell/core/text.h"

namespace zolka {

// Appends magnification a (after one blank, as append does): "(f14.2)" below
// `two`, "(f14.1)" below `one`, else the nearest integer; an infinite one (a
// source right behind the lens) as the fixed format shows it.
inline void append_magnification(std::string& t, float a, float two, float one) {
  if (a < two)
    append_f(t, a, "(f14.2)");
  else if (a < one || !std::isfinite(a))
    append_f(t, a, "(f14.1)");
  else
    append_i(t, nint(a));
}

}  // namespace zolka
