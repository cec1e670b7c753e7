#pragma once

namespace zolka {

// Magnification at source position (xs, ys) of the lens star with npl planets at (xp, yp), mass
// ratios q.
float asp(float xs, float ys, int npl, const float* xp, const float* yp, const float* q);

}  // namespace zolka
