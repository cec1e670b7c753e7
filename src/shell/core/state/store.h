// The light-curve store: one entry per data point i = 1 .. ndata, sites in
// consecutive blocks it1_l(l) .. it2_l(l) in load order.
//
// The per-point arrays are empty at start-up; resize() sizes them all at once
// (ingestion sizes them to the capacity maxdata before it reads files).
#pragma once

#include "shell/core/array1.h"

namespace zolka {

constexpr int maxdata = 100000;  // capacity of the light-curve store, points

struct StoreState {
  int ndata = 0;     // number of points in use
  int mjd0 = 0;      // reference day subtracted from all times, a multiple of jdround
  int jdround = 0;   // rounding unit of mjd0, 10000 days
  float tfirst = 0;  // smallest t_t, days
  float tlast = 0;   // largest t_t, days
  float tbeg = 0;    // start of the plot time window, hjd - mjd0 days
  float tend = 0;    // end of the plot time window, hjd - mjd0 days

  Vec1<double> hjd_t;       // time of the measurement, HJD days
  Vec1<float> t_t;          // hjd_t - mjd0, days
  Vec1<float> datmag_t;     // measured magnitude
  Vec1<float> sigmag_t;     // magnitude error bar (> 0 for a stored point)
  Vec1<float> datflx_t;     // measured flux, flux units (flux 1 at mag 16.4)
  Vec1<float> sigflx_t;     // flux error bar, flux units
  Vec1<float> see_t;        // seeing of the exposure; -1 when the file has none
  Vec1<float> sky_t;        // sky per unit dwell time; -1 when absent
  Vec1<float> dwell_t;      // exposure time; -1 when absent
  Vec1<float> air_t;        // airmass column of the one layout that has it (unused)
  Vec1<float> code_t;       // code column of the layouts that have it (unused)
  Vec1<int> loc_t;          // site index of the point
  Vec1<float> clip_t;       // weight of the point in the fit (always 1)
  Vec1<float> seemag_t;     // seeing-correlation magnitude correction, mag
  Vec1<float> seefac_t;     // seeing factor of the point
  Vec1<char> ok_t;          // rebinning flag: the point lies within the baseline clip
  Vec1<float> preflx_t;     // model flux, flux units
  Vec1<float> premag_t;     // model magnitude
  Vec1<float> erbflx_t;     // error bar after the error model, flux units
  Vec1<float> erbmag_t;     // error bar after the error model, mag
  Vec1<float> x_t;          // (hjd_t - hjd0)/te for the current model
  Vec1<float> a_t;          // model magnification
  Vec1<float> u_t;          // source-star separation, Einstein radii
  Vec1<float> ab_t;         // a_t + b0 when b0 > 0, else a_t: flux in units of the source flux
  Vec1<float> am_t;         // minor-image magnification
  Vec1<float> ap_t;         // major-image magnification
  Vec1<float> up_t;         // major-image distance from the lens, Einstein radii (> 0)
  Vec1<float> um_t;         // signed minor-image position along the source direction (< 0)
  Vec1<float> xm_t;         // minor-image x, Einstein radii
  Vec1<float> xp_t;         // major-image x, Einstein radii
  Vec1<float> ym_t;         // minor-image y, Einstein radii
  Vec1<float> yp_t;         // major-image y, Einstein radii
  Vec1<float> dpspl_t;      // dA/du of the point lens
  Vec1<float> dpspl_dt0_t;  // dA/dhjd0, per day
  Vec1<float> dpspl_dte_t;  // dA/dte, per day
  Vec1<float> dpspl_dy0_t;  // dA/dy0
  Arr1<Vec1<float>, 16> plotcol;  // scratch columns plot0 .. plot15 as plotcol(1) .. plotcol(16)
  Vec1<double> hold_t;            // ingestion's holding column of times, HJD days
  Vec1<int> i_t;                  // ingestion's index column of the time sort

  // Sizes every per-point array to n entries (contents kept where they exist).
  void resize(int n) {
    hjd_t.resize(n);
    for (Vec1<float>* a :
         {&t_t,      &datmag_t, &sigmag_t,    &datflx_t,    &sigflx_t,   &see_t,    &sky_t,
          &dwell_t,  &air_t,    &code_t,      &clip_t,      &seemag_t,   &seefac_t, &preflx_t,
          &premag_t, &erbflx_t, &erbmag_t,    &x_t,         &a_t,        &u_t,      &ab_t,
          &am_t,     &ap_t,     &up_t,        &um_t,        &xm_t,       &xp_t,     &ym_t,
          &yp_t,     &dpspl_t,  &dpspl_dt0_t, &dpspl_dte_t, &dpspl_dy0_t})
      a->resize(n);
    hold_t.resize(n);
    loc_t.resize(n);
    i_t.resize(n);
    ok_t.resize(n);
    for (int k = 1; k <= 16; ++k) plotcol(k).resize(n);
  }
  // Scratch column plotK, K = 0 .. 15.
  Vec1<float>& plot(int k) { return plotcol(k + 1); }
};

}  // namespace zolka
