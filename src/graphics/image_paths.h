// The point-lens image tracks drawn on the lens-plane and u,a map plots: the
// paths of the two images of the source as it crosses the plot.
//
// Both overwrite x_t and the per-point image arrays of lcalc with the track
// samples; a caller that needs the data's own positions afterwards computes
// them again (xcalc, then lcalc).
#pragma once

namespace zolka {

// In the lens plane, across the current window (xmin .. xmax): the source
// track y = y0 in line style ls1, then the minor and the major image tracks
// in line style ls2 (image_tracks.h, impaths_tracks); line style 1 after.
// Prints "impaths(" ls1 ls2 " ) ****************".
void impaths(int ls1, int ls2);

// In the (log10 separation, azimuth in degrees) frame, for sources from
// tau = -30 to 30: the source track in line style ls1, the minor and the
// major image tracks in line style ls2, azimuths shifted by whole periods
// into [amin, amax] (period 0 means 360; impathal_tracks); line style 1
// after. A track is broken where the wrapping makes it jump by more than half
// a period, so that no line crosses the plot. Prints "impathal(" amin amax
// period ls1 ls2 " ) ******".
void impathal(float amin, float amax, float period, int ls1, int ls2);

}  // namespace zolka
