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

  // Observing priority.
  float prioritynow = 0;
  float prioritymax = 0;
};

}  // namespace zolka
