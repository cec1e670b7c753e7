// Where a planet can matter: the quick test of a planet position against the
// point-lens images of every data point, and the image tracks drawn on maps.
//
// A planet of mass ratio q perturbs the light noticeably only inside a zone
// around each image whose size grows with the image's magnification and with
// the photometric precision (Gould & Loeb 1992); imclose sums over the data a
// smooth bump of that size around each image.
#pragma once

#include "shell/core/array1.h"

namespace zolka {

// True when a planet at separation u (Einstein radii) and azimuth alpha
// (radians from +y towards +x) may change some data point's magnification
// noticeably, judged from the images of lcalc (xp_t, yp_t, up_t, ap_t,
// xm_t, ym_t, um_t, am_t), the magnitude errors erbmag_t, ndata and qpl.
// Keeps qpl and sqrt(qpl) in the state (qclose, rclose). With qpl <= 0 it
// prints an error and answers true.
bool imclose(float u, float alpha);

// Polylines of the source track and the two point-lens image tracks.
struct ImageTracks {
  Vec1<float> xs, ys;  // source track
  Vec1<float> xm, ym;  // minor-image track
  Vec1<float> xp, yp;  // major-image track
};

// The tracks in the lens plane for sources from xmin to xmax at height y0:
// 10000 samples, refined so that neither image moves more than about 0.01
// between points (at most 100000 points). The source track is the segment
// (xmin, y0) - (xmax, y0). Overwrites x_t and the image arrays of lcalc.
void impaths_tracks(float xmin, float xmax, ImageTracks& t);

// The tracks as (log10 separation, azimuth in degrees) for 1000 sources from
// tau = -30 to 30 at height y0, azimuths shifted by whole periods into
// [amin, amax] (period 0 means 360). Overwrites x_t and the image arrays.
void impathal_tracks(float amin, float amax, float period, ImageTracks& t);

}  // namespace zolka
