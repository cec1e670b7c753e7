// Plot settings, baseline rebinning settings and the observing priority.
#pragma once

namespace zolka {

struct PlotState {
  float csize = 0;       // character size
  int lwide = 0;         // line width
  bool hjdaxis = false;  // label the time axis in HJD
  int nplot = 0;         // number of panels of the current plot
  int kolor_data = 0;    // colour index of the data
  int kolor_model = 0;   // colour index of the model
  int kolor_label = 0;   // colour index of labels
  int kolor_window = 0;  // colour index of the time window
  int kolor_now = 0;     // colour index of the "now" marker
  int kolor_sigma = 0;   // colour index of error bands

  // Baseline rebinning (set by its dialogue when first entered).
  float binday = 0;      // bin width, days
  float binte = 0;       // keep unbinned within this many te of the peak
  float binyear = 0;     // keep unbinned within this many years of now
  float binsigclip = 0;  // clip of the baseline, sigma

  float delmag = 0;  // magnitude of the peak magnification, 2.5 log10(a0), written by the legend

  // Observing priority.
  float prioritynow = 0;  // detection-zone width figure now (dzwstd at unow)
  float prioritymax = 0;  // the same figure at the peak (dzwstd at y0)
  bool dzwset = false;    // dzwstd has been called and remembers the values below
  float dzwq = 0;         // mass ratio of dzwstd's previous call
  float dzwu = 0;         // source separation of the previous call, Einstein radii
  float dzwsmag = 0;      // baseline magnitude of the previous call, mag
  float dzwb = 0;         // blend ratio fb/fs of the previous call
  float dzwval = 0;       // result of the previous call
};

}  // namespace zolka
