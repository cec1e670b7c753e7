// Grids of planet positions for the chi-square maps.
//
// A map kind is named by two letters, the first naming the first
// (horizontal) axis and the second the second (vertical) axis:
//   "XY"  planet x and y, Einstein radii;
//   "UA"  log10 of the planet separation u and the azimuth in degrees
//         (from +y towards +x, -90 .. 270);
//   "TF"  the time of the anomaly (hjd - mjd0, days) and f, the planet's
//         distance over the image distance then (planet_geometry.h);
//   "FQ"  f and log10 q.
// Grid steps follow the planet's Einstein radius r = sqrt(qpl): a planet is
// felt within about r of an image, so a grid a few points per r wide misses
// nothing. Every axis holds at most maxgrid points.
#pragma once

#include <string_view>

#include "shell/core/array1.h"

namespace zolka {

// Builds the grid of kind opt (upper-cased here) into the kind's axes, copies
// it into the working map's axes (n_1, n_2, par_1, par_2, chi2_12 sized to
// n_1 n_2) and shows it. Returns false, building nothing, for another kind or
// when there is no planet (qpl <= 0), which has no Einstein radius to set the
// steps; both print a message.
bool gridbox(std::string_view opt);

// The x,y grid (xp_x, yp_y, nxp, nyp): the box (x1, x2) x (y1, y2) widened
// to every zone around the data's point-lens images where a planet of mass
// ratio qpl changes a point by the detection threshold delchi2 (a square of
// half-width twice the zone radius, unless it lies wholly outside the limit
// box), then by 10 r on every side, clipped to the limit box
// (xlo, xhi) x (ylo, yhi) and rounded to 0.1. pix grid points per planet
// Einstein radius (2 when pix <= 0); both ends included. Computes the image
// tracks of the current model (xcalc, lcalc) and the magnitude errors at the
// model magnitudes.
void cxygrid(float x1, float x2, float y1, float y2, float xlo, float xhi, float ylo, float yhi,
             float pix);
// The u,a grid (ulog_u, ap_a, nup = nap): log10 u over the data's source
// separations widened by 10 log10(r + 1) (at least -1.05 .. 1.05, rounded to
// 0.05) and the azimuth from -90 to 270 degrees, both ends included, with
// split points per log10(r + 1). Computes the image tracks as cxygrid does.
void cuagrid(float split);
// The t,f grid (tp_t, fp_f, ntp, nfp): cell centres over the light-curve
// plot's time axis (timeaxis) in steps of te r / (2 a0), and over f from -2
// to 2 in steps of r/2.
void ctfgrid();
// The f,q grid (f_f, qlog_q, nf, nqp): cell centres over f from -2 to 2 in
// steps of about r, and 9 rows of log10 q over +-1 dex around log10 qpl
// rounded to 0.1 dex.
void cfqgrid();

// Prints the working map's two axes: letter, count, first and last value, and
// (last - first)/max(count, 1).
void showgrid(std::string_view opt);

// Points on an axis for `cells` steps: nint(cells) + 1, at most maxgrid; a
// count too large for an int (an infinite or undefined number of steps, as
// from a zero step) is maxgrid as well.
int grid_count(float cells);

// First and last value of an axis of n points; 0 for an empty axis.
float axis_first(const Vec1<float>& axis, int n);
float axis_last(const Vec1<float>& axis, int n);

}  // namespace zolka
