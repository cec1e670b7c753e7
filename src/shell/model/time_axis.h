// The time axis of the time-based plots and the text that marks the present
// moment on them.
#pragma once

#include <string>

namespace zolka {

// Chooses the plotted time range [xmn, xmx] and its label: days after mjd0
// (hjdaxis true, label "HJD - 2450000") unless mjd0 = 0 and te = 1, when the
// axis is (t - t0)/tE. The range covers the peak by three peak widths, the
// data, the user's range tbeg..tend (full HJD, days after mjd0, or negative
// values in peak widths from the peak) and the present moment when it is
// near. Sets hjdaxis, t0 and a0 = atotl(y0).
void timeaxis(float& xmn, float& xmx, std::string& xlabel);

// Refreshes the present moment (now) and returns the text that marks it:
// "UT 2009-07-14 03:12:45  = t\d0\u+3.5d", the time since the peak in days,
// or in hours within a day of it. Prints "Now:" tnow xnow and the text.
std::string nowmark();

}  // namespace zolka
