// Chi-square maps over planet position: the working map, one cached map per
// kind ("XY", "UA", "TF", "FQ") and their settings. Maps are sized to the
// grid in use, at most maxgrid points per axis.
#pragma once

#include "shell/core/array1.h"

namespace zolka {

constexpr int maxgrid = 2048;  // capacity of a map axis

struct MapState {
  // Grid sizes of the cached maps.
  int nxp = 0, nyp = 0;  // x,y map
  int nup = 0, nap = 0;  // u,a map
  int ntp = 0, nfp = 0;  // t,f map
  int nf = 0, nqp = 0;   // f,q map
  // Mass ratio each map was made for.
  float qxy = 0, qua = 0, qtf = 0, qfq = 0;
  // Best chi-square of each map.
  float chi2xy = 0, chi2ua = 0, chi2tf = 0, chi2fq = 0;
  // CPU seconds of each map.
  float cpuxy = 0, cpuua = 0, cputf = 0, cpufq = 0;
  // True when the cached map must be recomputed.
  bool needcxy = false, needcua = false, needctf = false, needcfq = false;

  // Axes of the cached maps.
  Vec1<float> xp_x;    // planet x, Einstein radii
  Vec1<float> yp_y;    // planet y, Einstein radii
  Vec1<float> ulog_u;  // log10 planet separation
  Vec1<float> ap_a;    // planet azimuth, degrees
  Vec1<float> tp_t;    // anomaly time, hjd - mjd0 days
  Vec1<float> fp_f;    // f of the t,f map
  Vec1<float> f_f;     // f of the f,q map
  Vec1<float> qlog_q;  // log10 q of the f,q map
  // Cached maps, first index along the first axis.
  Mat1<float> c_xy, c_ua, c_tf, c_fq;

  // Working map.
  int n_1 = 0, n_2 = 0;  // points on the first and second axis
  float qmap = 0;        // mass ratio used for the map
  int mapfit = 0;        // parameters of the no-planet reference fit
  int mapdof = 0;        // degrees of freedom of the reference fit
  int maptweak = 0;      // parameters refitted at each pixel
  int ntweak = 0;        // parameters to refit per pixel, 0 .. 7
  float chi2ref = 0;     // chi-square of the no-planet reference fit
  float cpumap = 0;      // CPU seconds spent on the map
};

}  // namespace zolka
