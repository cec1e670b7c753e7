// The per-site point drawers shared by every plot of data points: each site
// in its own marker and colour, with error bars.
//
// Arrays are indexed by data point (1 .. ndata, sites in their blocks
// it1_l .. it2_l) and passed whole. Sites are drawn from the largest median
// magnitude error bar to the smallest, so the best data come last, on top.
// With several sites the order is printed first ("Sites sorted by median
// magnitude error bar:"), and the current-site name `site` is left naming the
// best site. Nothing is drawn without data.
#pragma once

#include "shell/core/array1.h"

namespace zolka {

// Points (x, y) with vertical error bars: e1 towards +y, e2 towards -y.
void pgxys(const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e1,
           const Vec1<float>& e2);
// As pgxys when ixy = 0; otherwise horizontal bars, e1 towards +x, e2 towards -x.
void pgxys1(const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e1,
            const Vec1<float>& e2, int ixy);
// Points with horizontal error bars: e1 towards +x, e2 towards -x.
void pgxsy(const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e1,
           const Vec1<float>& e2);

}  // namespace zolka
