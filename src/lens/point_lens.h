// The point-source point-lens (PSPL) model.
//
// Lens-plane frame used by all lens code: positions in Einstein radii of the
// lens (total mass), the lens star at the origin; the standard source track is
// (tau, y0) with tau = (t - hjd0)/te, moving along +x and reaching closest
// approach y0 at t = hjd0. Magnifications are unsigned; A >= 1.
//
// Paczynski (1986): A(u) = (u^2 + 2) / (u sqrt(u^2 + 4)).
#pragma once

namespace zolka {

// Total magnification at separation u (Einstein radii); infinite at u = 0.
float atotl(float u);
// Separation u with atotl(u) = a; -1 when a < 1.
float ainv(float a);
// Half-width of the peak in units of te for peak magnification a0: the time
// from the peak to where A has fallen to (a0 + 1)/2; -1 when a0 < 1.
float thalf(float a0);
// The same half-width for impact parameter u0; 0 for u0 = 0.
float thalf_u0(float u0);
// Image positions for source separation u: major image distance (> 0) and the
// signed minor image position (< 0, opposite side of the lens).
float uplus(float u);
float uminus(float u);
// Unsigned magnifications of the major and minor images.
float aplus(float u);
float aminus(float u);
// dA/du, computed in double precision with u^2 floored at 1e-40.
float dpspl(float u);
// Images of a source at (x, y): fills the image list (entries 1 and 2,
// nimage = 2) and returns the total magnification in a.
void lens1(float x, float y, float& a);
// a_t(i) = atotl(u) for every data point of the current model (reads hjd_t,
// ndata, hjd0, te, y0).
void psplcalc();
// a_t and the derivatives dpspl_t, dpspl_dt0_t, dpspl_dte_t, dpspl_dy0_t.
void dpsplcalc();

}  // namespace zolka
