// Source and image positions of every data point (or of any list of source
// positions on a track at height ys), in the lens-plane frame of the point
// lens: star at the origin, source moving along +x.
#pragma once

namespace zolka {

// x_t(i) = (hjd_t(i) - hjd0)/te for the points 1 .. ndata, formed in double
// precision and rounded to single.
void xcalc();

// For source positions (xs(i), ys), i = 1 .. n (xs points at xs(1); it may be
// x_t itself), with ys raised to at least 1e-5: the point-lens images
// (up_t, xp_t, yp_t, ap_t major; um_t, xm_t, ym_t, am_t minor), the
// separation u_t, the magnification a_t with the current planet (asp with
// xpl, ypl, qpl) and ab_t = a_t + b0 when b0 > 0, else a_t. The per-point
// arrays grow to n entries when they are shorter.
void lcalc(int n, const float* xs, float ys);

}  // namespace zolka
