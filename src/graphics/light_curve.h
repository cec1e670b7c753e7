// The light-curve plot and the markers shared by the time-based plots.
//
// Time axes are in days after mjd0 (hjdaxis true) or in units of tE from the
// peak, (t - t0)/tE, as timeaxis chooses. Magnitudes grow downwards: the
// window runs from the faint end at the bottom to the bright end at the top.
#pragma once

namespace zolka {

// The light curve in the current panel: every site's data with error bars in
// its marker and colour, on site 1's magnitude scale; the model with the
// current planet (1000 samples across the window), and with a blend the
// source alone; the baseline, the source and blend magnitudes, the peak and
// its time scales, the present moment when it falls in the window, labels
// and the legend. Fluxes and error-bar ends below the floor of 3 magnitudes
// under the baseline are drawn at the floor; points beyond the window's
// magnitude range on its edge. Sets t0, a0 (5 when not positive or infinite)
// and hjdaxis; the first 1000 entries of x_t and of the per-point image arrays
// hold the model's samples afterwards (xcalc restores x_t).
void magplot();

// Vertical lines from y1 to y2 (world coordinates) at the peak, at one tE
// either side of it and at the half-width of the peak either side; in the
// current line style and colour.
void marktime(float y1, float y2);

// The present moment: refreshes it (now) and reports it; unless y1 = y2 and
// when it falls inside the window, draws a vertical line from y1 to y2 with
// the date and the time since the peak above the frame, and the model's
// magnitude and magnification then inside the bottom edge.
void marknow(float y1, float y2);

}  // namespace zolka
