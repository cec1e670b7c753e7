#include "lightcurve/validation.h"

#include "numeric/sort.h"
#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr int maxpass = 3;  // passes of the time-ordering check

// Copies the measured columns of store point i into store point j.
void moverow(ProgramState& s, int i, int j) {
  s.hjd_t(j) = s.hjd_t(i);
  s.datmag_t(j) = s.datmag_t(i);
  s.sigmag_t(j) = s.sigmag_t(i);
  s.see_t(j) = s.see_t(i);
  s.sky_t(j) = s.sky_t(i);
  s.dwell_t(j) = s.dwell_t(i);
  s.air_t(j) = s.air_t(i);
  s.code_t(j) = s.code_t(i);
}

// Sorts points n0 + 1 .. n0 + n by time through the holding columns (hold_t
// and plot1 .. plot7), checking the sort's order.
void sortpoints(int n0, int n) {
  ProgramState& s = state();
  Vec1<float>* hold[] = {&s.plot(1), &s.plot(2), &s.plot(3), &s.plot(4),
                         &s.plot(5), &s.plot(6), &s.plot(7)};
  Vec1<float>* cols[] = {&s.datmag_t, &s.sigmag_t, &s.see_t, &s.sky_t,
                         &s.dwell_t,  &s.air_t,    &s.code_t};
  for (int k = 1; k <= n; ++k) {
    s.hold_t(k) = s.hjd_t(n0 + k);
    for (int c = 0; c < 7; ++c) (*hold[c])(k) = (*cols[c])(n0 + k);
  }
  quicksort8(n, s.hold_t.data(), s.i_t.data());

  int nbad = 0;
  for (int j = 1; j < n; ++j) {
    const double a = s.hold_t(s.i_t(j));
    const double b = s.hold_t(s.i_t(j + 1));
    if (a > b) {
      ++nbad;
      say(j, a, " not < ", b, " :((");
    }
  }
  if (nbad > 0) {
    diag("** TIMES OUT OF ORDER", nbad);
    diag("quicksort8 failed.  :((.");
    die();
  }
  say("quicksort8 results verified.");

  for (int k = 1; k <= n; ++k) {
    const int from = s.i_t(k);
    s.hjd_t(n0 + k) = s.hold_t(from);
    for (int c = 0; c < 7; ++c) (*cols[c])(n0 + k) = (*hold[c])(from);
  }
  say("re-order", n, " times.", s.hold_t(1), s.hold_t(n));
}

}  // namespace

int validpoints(int n0, int n) {
  ProgramState& s = state();
  int kept = 0, nbaderr = 0, nbadhjd = 0;
  for (int k = 1; k <= n; ++k) {
    const int i = n0 + k;
    const bool goodhjd = s.hjd_t(i) > 0;
    const bool gooderr = s.sigmag_t(i) > 0;
    if (goodhjd && gooderr) {
      ++kept;
      if (n0 + kept != i) moverow(s, i, n0 + kept);
      continue;
    }
    if (!gooderr) {
      ++nbaderr;
      diag("** INVALID ERROR BAR :((((.");
    }
    if (!goodhjd) {
      ++nbadhjd;
      diag("** INVALID HJD       :((((.");
    }
    say(i, " hjd", s.hjd_t(i), " mag", s.datmag_t(i), " +-", s.sigmag_t(i));
  }
  if (kept == n) {
    diag("** All ", n, " data points accepted :)");
  } else {
    diag("** Invalid error bars:", nbaderr, " Invalid HJD:", nbadhjd);
    diag("** Rejected data:", n - kept, " Ndat=", n, "=>", kept);
  }
  return kept;
}

void timeorder(int n0, int n) {
  ProgramState& s = state();
  for (int pass = 1; pass <= maxpass; ++pass) {
    int nident = 0, nrev = 0;
    if (n >= 1) {
      int iref = n0 + 1;  // the point with the largest time so far
      for (int i = n0 + 2; i <= n0 + n; ++i) {
        const double tref = s.hjd_t(iref);
        const double t = s.hjd_t(i);
        if (t == tref) {
          ++nident;
          say(" HJD(", iref, " ) =", tref, " HJD(", i, " ) =", t, " IDENTICAL TIMES   :((((  ");
        } else if (t < tref) {
          ++nrev;
          say(" HJD(", iref, " ) =", tref, " HJD(", i, " ) =", t, "    :((((  ", t - tref);
        } else {
          iref = i;
        }
      }
    }
    if (nrev == 0 && nident == 0) {
      diag("** HJD strictly increase.   :)");
      return;
    }
    diag("** WARNING: HJD NOT STRICTLY INCREASING.   :(");
    if (nrev == 0) {
      say("Identical time pairs", nident);
      return;
    }
    say("Identical time pairs", nident, " reversed", nrev);
    sortpoints(n0, n);
    if (pass == maxpass) {
      diag("** ERROR - TIME ORDERING FAILED.    :(((");
      die();
    }
  }
}

}  // namespace zolka
