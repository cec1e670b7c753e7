// The image plot: the point-lens images of the source along its track, in
// the lens plane (Einstein radii, star at the origin, source moving along +x
// at height y0).
#pragma once

namespace zolka {

// Draws in the next panel, x from -3 to 3 and y from -1.3 to 1.3 times the
// larger major-image distance of u = 1.1 and u = y0 + 0.3, equal scales: the
// Einstein ring, the planet's marker (colour 3) with dashed lines through it
// when it lies in the window, the image tracks of the source track (dotted,
// kolor_model) and the sources and images of the data points in the sites'
// markers. For n >= 1 the image tracks of n further source tracks, at heights
// umin1 to umin2 (both included), are drawn as well. Title: the event and q
// with data, else "Image Trajectories"; the planet's caption inside the
// bottom edge. Leaves the data's image positions in the image arrays (those
// of the track samples without data).
void iplot(float umin1, float umin2, int n);

}  // namespace zolka
