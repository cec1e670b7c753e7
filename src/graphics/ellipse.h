// An ellipse with axes along x and y, drawn as one closed polyline.
#pragma once

namespace zolka {

// Ellipse about (x0, y0) with semi-axes rx along x and ry along y (world
// units): 30 points at angles 0, 2 pi/29, ..., 2 pi, so the last meets the
// first. Drawn in the current colour and line style.
void pgellipse(float x0, float y0, float rx, float ry);

}  // namespace zolka
