// Checking the points of a newly read file: dropping invalid points and putting
// the rest in time order. Both work on the n points after the first n0 of the
// store and never touch the points before them. The measured columns (time,
// magnitude, error, seeing, sky, dwell, airmass, code) move together.
#pragma once

namespace zolka {

// Keeps, in order and closing up the gaps, the points with an error bar > 0
// and a time > 0, printing each dropped point and a summary. Returns the
// number kept.
int validpoints(int n0, int n);

// Checks that the times do not decrease, printing identical and reversed
// pairs; reversed points are sorted by time (quicksort8) and checked again, at
// most three passes. Identical times stay, in an unspecified order. A sort that
// fails its check stops the program (die).
void timeorder(int n0, int n);

}  // namespace zolka
