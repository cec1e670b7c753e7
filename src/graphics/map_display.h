// The chi-square map panels of the plot menu: a map of the chi-square of a
// planet of mass ratio q over two coordinates of its position, drawn as a
// greyscale with the detection threshold, reference lines, the Einstein ring,
// the image tracks, the best planet and, for a strong signal, the marginal
// likelihood profiles along the axes.
//
// Map kinds (grids.h): "XY" planet x, y; "UA" log10 u and azimuth in degrees;
// "TF" anomaly time and f; "FQ" f and log10 q. The greyscale runs from the
// full foreground shade at chi2fit - delchi2 (the data favour a planet there
// by the threshold) to the background shade at chi2fit + delchi2 (a planet
// there is excluded by the threshold), chi2fit being the chi-square without
// a planet; the "FQ" map shows instead the relative likelihood
// exp(-(chi2 - chi2min)/2) from 0 to 1, with contours at chi2min + 1, 4, 9.
#pragma once

#include <string_view>

namespace zolka {

// Computes (or fetches) and draws the map of kind opt (upper-cased here) in
// the next panel: the data's image tracks (xcalc, lcalc), the grid (gridbox),
// the map (chi2map), then drawmap. Without data, when gridbox refuses the
// grid (no planet) and for another kind, prints why and leaves an empty panel.
void gridfit(std::string_view opt);

// Draws the working map (state().maps, with chi2fit, dchi2fit, delchi2 and
// the fit record xplfit, yplfit, qplfit) of kind opt in the next panel, as it
// stands: fills the likelihood profiles (map_profiles), prints the axes, the
// window and the levels, and draws the frame, labels and title, greyscale and
// wedge, the map's reference-fit labels, reference lines, CPU note, Einstein
// ring and image tracks. When dchi2fit > delchi2 it also writes the best
// planet's position above the frame and crosses it with dashed lines
// (colour 3), then marks the user's planet; when dchi2fit > 25 it draws the
// profiles along the bottom and left edges. The user's planet is as it was
// afterwards, and the data's image tracks are computed again (the tracks
// drawn overwrite them). An empty map prints an error and leaves an empty
// panel.
void drawmap(std::string_view opt);

// Where the detection crosshair of a map of kind opt crosses the current
// planet: the vertical line at first-axis value x and horizontal lines at the
// second-axis values y(1) .. y(ny):
//   "XY" (xpl; ypl)   "TF" (tpl; fpl)   "FQ" (fpl; log10 qpl)
//   "UA" (log10 upl; apl - 360, apl, apl + 360 in degrees: whichever of the
//         azimuth's turns falls in the map's window).
// Another kind gives no lines (ny = 0, x not finite).
struct Crosshair {
  float x = 0;      // first-axis value of the vertical line
  int ny = 0;       // number of horizontal lines
  float y[3] = {};  // second-axis values of the horizontal lines
};
Crosshair crosshair(std::string_view opt);

}  // namespace zolka
