// Chi-square maps over planet position: the working map, one cached map per
// kind ("XY", "UA", "TF", "FQ") and their settings. Maps are sized to the
// grid in use, at most maxgrid points per axis, and stored flat with the
// first axis fastest: the value at axis points (k, j) is element
// (j - 1) n_1 + k.
#pragma once

#include "shell/core/array1.h"

namespace zolka {

constexpr int maxgrid = 2048;  // capacity of a map axis

// What a cached map was made on, written when the map is stored and compared
// by the reuse test: an empty record (counts 0) never matches a grid.
struct MapHold {
  int ntweak = 0;        // parameters refitted per pixel
  int n1 = 0, n2 = 0;    // points on the first and second axis
  float first1 = 0;      // first value of the first axis
  float last1 = 0;       // last value of the first axis
  float first2 = 0;      // first value of the second axis
  float last2 = 0;       // last value of the second axis
  float q = 0;           // planet mass ratio (not held for the f,q map)
  bool written = false;  // the record has been written this run
};

struct MapState {
  // Grid sizes of the cached maps; the grid builders write them too.
  int nxp = 0, nyp = 0;  // x,y map
  int nup = 0, nap = 0;  // u,a map
  int ntp = 0, nfp = 0;  // t,f map
  int nf = 0, nqp = 0;   // f,q map
  // Mass ratio each map was made for (the f,q map has q as an axis).
  float qxy = 0, qua = 0, qtf = 0, qfq = 0;
  // Chi-square of the no-planet reference fit of each map.
  float chi2xy = 0, chi2ua = 0, chi2tf = 0, chi2fq = 0;
  // CPU seconds of each map.
  float cpuxy = 0, cpuua = 0, cputf = 0, cpufq = 0;
  // Parameters of the no-planet reference fit of each map.
  int nfitxy = 0, nfitua = 0, nfittf = 0, nfitfq = 0;
  // Parameters refitted at each pixel of each map.
  int ntweakxy = 0, ntweakua = 0, ntweaktf = 0, ntweakfq = 0;
  // Degrees of freedom of the reference fit of each map.
  int ndofxy = 0, ndofua = 0, ndoftf = 0, ndoffq = 0;
  // True when the cached map must be recomputed.
  bool needcxy = false, needcua = false, needctf = false, needcfq = false;
  // The grid each cached map was made on.
  MapHold holdxy, holdua, holdtf, holdfq;
  int nstowgrid = 0;  // maps stored in the caches this run

  // Axes of the grids, rebuilt by the grid builders, and of the cached maps.
  Vec1<float> xp_x;    // planet x, Einstein radii (nxp)
  Vec1<float> yp_y;    // planet y, Einstein radii (nyp)
  Vec1<float> ulog_u;  // log10 planet separation, Einstein radii (nup)
  Vec1<float> ap_a;    // planet azimuth, degrees from +y towards +x (nap)
  Vec1<float> tp_t;    // anomaly time, hjd - mjd0 days (ntp)
  Vec1<float> fp_f;    // f of the t,f map: planet over image distance (nfp)
  Vec1<float> f_f;     // f of the f,q map (nf)
  Vec1<float> qlog_q;  // log10 q of the f,q map (nqp)
  // Cached maps, chi-square at axis points (i, j), sized to the stored grid;
  // their storage is the working map's flat layout.
  Mat1<float> c_xy, c_ua, c_tf, c_fq;

  // Working map.
  int n_1 = 0, n_2 = 0;  // points on the first and second axis
  Vec1<float> par_1;     // first-axis values (n_1)
  Vec1<float> par_2;     // second-axis values (n_2)
  Vec1<float> chi2_12;   // chi-square per pixel, flat with the first axis fastest (n_1 n_2)
  float qmap = 0;        // mass ratio used for the map
  int mapfit = 0;        // parameters of the no-planet reference fit
  int mapdof = 0;        // degrees of freedom of the reference fit
  int maptweak = 0;      // parameters refitted at each pixel
  int ntweak = 0;        // parameters to refit per pixel, 0 .. 7
  float chi2ref = 0;     // chi-square of the no-planet reference fit
  float cpumap = 0;      // CPU seconds spent on the map

  // Likelihoods of the working map for its display (map_profiles.h).
  Vec1<float> post_12;  // exp(-(chi2 - chi2min)/2) per pixel, flat like chi2_12 (n_1 n_2)
  Vec1<float> chi2_1;   // smallest chi-square over the second axis, per first-axis point (n_1)
  Vec1<float> post_1;   // post_12 summed over the second axis, largest value 1 (n_1)
  Vec1<float> chi2_2;   // smallest chi-square over the first axis, per second-axis point (n_2)
  Vec1<float> post_2;   // post_12 summed over the first axis, largest value 1 (n_2)

  // Azimuth scan of setplanet("FQ"): chi-square per azimuth cell (at most maxgrid).
  Vec1<float> c_a;
};

}  // namespace zolka
