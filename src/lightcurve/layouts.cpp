#include "lightcurve/layouts.h"

#include <cmath>

#include "lightcurve/column_reader.h"
#include "shell/core/console.h"
#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr double seqtol = 0.0001;  // a sequence number lies this close to a whole number
constexpr double mintime = 1000;   // smallest valid time, days (besides exactly 0)

const char* const announcements[nlayout + 1] = {
    "",
    "** Format 8,4=( N mag err HJD see sky code dwell )",
    "** Format 8,3=( mag err HJD see sky air dwell code )",
    "** Format 7,3=( mag err HJD see sky code dwell )",
    "** Format 6=( HJD mag err see sky dwell )",
    "** Format 5=( HJD mag err see sky ) MISSING dwell.",
    "** FORMAT 4 =( HJD mag err see ) MISSING sky dwell.",
    "** Format 3=( HJD mag err ) MISSING see sky dwell.",
};

void fill(float* x, int n, float v) {
  for (int i = 0; i < n; ++i) x[i] = v;
}

// Trial 5 found r5 five-column rows at n0 + 1 .. n0 + r5. A file may mix them
// with three-column rows (time, magnitude, error): when those are at least as
// many as the five-column rows, the file is read again with three columns and
// the seeing and sky of the five-column rows are matched to it by time.
// Returns the number of new rows.
int mixed35(const std::string& file, int n0, int r5) {
  ProgramState& s = state();
  double* hold = s.hold_t.data();
  float* mag = s.plot(1).data();
  float* err = s.plot(2).data();
  float* see = s.plot(3).data();
  float* sky = s.plot(4).data();
  int r3 = maxdata - n0;
  loadlc3(file, 3, r3, hold, mag, err);
  if (r3 - r5 < r5) return r5;

  console::line("");
  diag("** MIXED 3+5=( HJD mag err )+( HJD mag err see sky ) MISSING dwell.");
  say("   3-column data", r3 - r5, " 5-column data", r5, " Total", r3);
  fill(see, r3, -1);
  fill(sky, r3, -1);
  const int last5 = n0 + r5;
  int k = n0 + 1;
  for (int j = 0; j < r3; ++j) {
    if (k <= last5 && hold[j] == s.hjd_t(k)) {
      see[j] = s.see_t(k);
      sky[j] = s.sky_t(k);
      ++k;
    }
  }
  const int matched = k - (n0 + 1);
  if (matched != r5) diag("** ERROR found", matched, " of", r5, " lost", r5 - matched);
  for (int j = 0; j < r3; ++j) {
    const int i = n0 + 1 + j;
    s.hjd_t(i) = hold[j];
    s.datmag_t(i) = mag[j];
    s.sigmag_t(i) = err[j];
    s.see_t(i) = see[j];
    s.sky_t(i) = sky[j];
  }
  return r3;
}

// Reads the file with layout trial into n rows; true when the layout fits.
bool readtrial(const std::string& file, int trial, int n0, int& n) {
  ProgramState& s = state();
  n = maxdata - n0;
  double* t = s.hjd_t.data() + n0;
  float* mag = s.datmag_t.data() + n0;
  float* err = s.sigmag_t.data() + n0;
  float* see = s.see_t.data() + n0;
  float* sky = s.sky_t.data() + n0;
  float* dwell = s.dwell_t.data() + n0;
  float* air = s.air_t.data() + n0;
  float* code = s.code_t.data() + n0;
  float* seq = s.plot(1).data() + n0;
  switch (trial) {
    case 1:
      loadlc8t(file, 8, 4, n, t, seq, mag, err, see, sky, code, dwell);
      break;
    case 2:
      loadlc8t(file, 8, 3, n, t, mag, err, see, sky, air, dwell, code);
      break;
    case 3:
      loadlc7t(file, 7, 3, n, t, mag, err, see, sky, code, dwell);
      break;
    case 4:
      loadlc6(file, 6, n, t, mag, err, see, sky, dwell);
      break;
    case 5:
      loadlc5(file, 5, n, t, mag, err, see, sky);
      break;
    case 6:
      loadlc4(file, 4, n, t, mag, err, see);
      break;
    default:
      loadlc3(file, 3, n, t, mag, err);
      break;
  }
  if (n < 1) return false;

  if (trial == 1) {
    for (int i = 0; i < n; ++i) {
      if (std::fabs(seq[i] - std::round(static_cast<double>(seq[i]))) > seqtol) {
        diag("** FIRST COLUMN NOT SEQUENCE NUMBERS.");
        return false;
      }
    }
  }
  if (trial == 5) n = mixed35(file, n0, n);

  // Columns the layout lacks.
  if (trial >= 7) fill(see, n, -1);
  if (trial >= 6) fill(sky, n, -1);
  if (trial >= 5) fill(dwell, n, -1);
  if (trial != 2) fill(air, n, -1);
  if (trial >= 4) fill(code, n, -1);

  for (int i = 0; i < n; ++i) {
    if (!(t[i] > mintime || t[i] == 0)) {
      diag("** INVALID HJD(", n0 + 1 + i, " ) ", t[i], "  :(");
      return false;
    }
  }
  return true;
}

}  // namespace

int readlayouts(const std::string& file, int n0) {
  int n = 0;
  for (int trial = 1; trial <= nlayout; ++trial) {
    console::line("");
    diag(announcements[trial]);
    if (readtrial(file, trial, n0, n)) {
      diag("** DATA FORMAT ACCEPTED **  :)");
      return n;
    }
    diag("** DATA FORMAT REJECTED **  :(");
  }
  say("times:", n);
  diag("** NO DATA FROM ", file);
  return 0;
}

}  // namespace zolka
