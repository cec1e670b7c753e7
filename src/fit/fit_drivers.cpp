#include "fit/fit_drivers.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "fit/badness.h"
#include "fit/captions.h"
#include "fit/packing.h"
#include "fit/prediction.h"
#include "fit/simplex.h"
#include "fit/site_report.h"
#include "lens/point_lens.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/summary_files.h"
#include "shell/core/text.h"
#include "shell/model/stacks.h"

namespace zolka {

namespace {

constexpr float stdftol = 1e-6f;  // tolerance of the standard fit
constexpr int stdmaxits = 500;    // iterations of the standard fit in all
constexpr int stdrunits = 100;    // iterations of one run of the standard fit
constexpr int stdmaxruns = 5;     // runs of the standard fit

// Values as a free-format line: one blank column, each value after a blank.
std::string values_line(const float* v, int n) {
  std::string line = " ";
  for (int j = 0; j < n; ++j) line += " " + free_format(v[j]);
  return line;
}

}  // namespace

void say_fitmodel(int n) {
  std::string t;
  title_lens(t);
  if (n > 4) title_b(t);
  if (n > 5) title_sig0(t);
  if (n > 6) title_f(t);
  if (n > 7) title_x(t);
  if (n > 8) title_y(t);
  if (n > 9) title_q(t);
  say(t);
}

void fit0(int& niter, float ftol, int nloop, int n, float& bof) {
  ProgramState& s = state();
  s.npfit = n;
  const bool talk = s.mutefit0 == 0;
  if (talk) {
    say();
    say("fit0(", niter, ftol, nloop, n, " )", " data:", s.ndata, " ** ", s.datfile, " ** ");
  }
  if (s.ndata < 1) {
    diag("** WARNING in fit0: NO DATA TO FIT.");
    niter = 0;
    return;
  }
  if (s.ndata < n) diag("** WARNING in fit0: nfit", n, "> ndata", s.ndata);

  std::array<float, maxslots> p{}, dp{}, v{};
  safe(p.data(), dp.data());
  const int np = s.nonlinpar;
  const int nv = np + 1;
  bof = abof(p.data());
  if (talk) {
    say("Amoeba initial parameters:", np, " BoF =", bof);
    console::line(values_line(p.data(), np));
  }

  Mat1<float> simplex(nv, std::max(np, 1));
  Vec1<float> y(nv);
  const Objective objective = [](const float* q) { return abof(q); };
  const int limit = niter;
  int total = 0;
  float previous = bof;
  for (int loop = 1; loop <= nloop; ++loop) {
    // Every vertex starts at p - dp/(np + 1); vertex j then moves by dp_j
    // along parameter j, so the centroid is exactly p.
    for (int vx = 1; vx <= nv; ++vx) {
      for (int j = 1; j <= np; ++j) {
        simplex(vx, j) = p[j - 1] - dp[j - 1] / static_cast<float>(nv);
        if (vx == j) simplex(vx, j) += dp[j - 1];
        v[j - 1] = simplex(vx, j);
      }
      y(vx) = abof(v.data());
    }
    int its = 0;
    if (np >= 1) {
      its = limit;
      amoeba(simplex, y, nv, np, np, ftol, objective, its);
    }
    total += its;
    if (s.muteamoebaplot == 0 && s.amoebaplot) s.amoebaplot();

    int best = 1;
    float lo = y(1), hi = y(1);
    for (int vx = 1; vx <= nv; ++vx) {
      if (y(vx) <= y(best)) best = vx;
      lo = std::min(lo, y(vx));
      hi = std::max(hi, y(vx));
    }
    if (talk) {
      say("Amoeba finished .............. iterations:", total);
      say("vertices:", nv, " span:", lo, hi, hi - lo);
      for (int vx = 1; vx <= nv; ++vx) {
        for (int j = 1; j <= np; ++j) v[j - 1] = simplex(vx, j);
        console::line(values_line(&y(vx), 1) + values_line(v.data(), np).substr(1));
      }
    }
    // The simplex never visits p itself, only vertices around it; where the
    // badness is rugged (a planet's anomaly) they can all converge to worse
    // values than p had, and the fit then keeps p rather than lose ground.
    if (y(best) <= bof) {
      bof = y(best);
      for (int j = 1; j <= np; ++j) p[j - 1] = simplex(best, j);
    }
    desafe(p.data());
    fitfsfb();
    seecor();
    if (talk) {
      say("Amoeba final parameters:", np, " BoF =", bof);
      console::line(values_line(p.data(), np));
    }
    if (nloop > 1) {
      if (loop == 1)
        say("Amoeba LOOP", loop, " its", its, total, " BoF", bof);
      else
        say("Amoeba LOOP", loop, " its", its, total, " BoF", bof, " change", bof - previous);
    }
    previous = bof;
  }
  niter = total;
}

void fit1(int& nits, int n, float& bof) {
  nits = 0;
  for (int run = 1; run <= stdmaxruns; ++run) {
    int its = std::min(stdmaxits - nits, stdrunits);
    fit0(its, stdftol, 1, n, bof);
    nits += its;
    if (its < stdrunits || nits >= stdmaxits) break;
  }
}

void fitloops(int n, int nloop) {
  ProgramState& s = state();
  say("fitloops ****************", s.ndata, n, nloop);
  say("te", s.te, " t0", s.t0, " y0", s.y0, " a0", s.a0, " b0", s.b0);
  s.nparm = 4 * s.nloc + 6;
  for (int k = 1; k <= s.nparm; ++k) s.loose(k) = 0;
  for (int k = 1; k <= std::min(n, s.nparm); ++k) s.loose(k) = 1;

  float best = 0, bof = 0;
  for (int i = 1; i <= nloop; ++i) {
    say();
    int nits = 0;
    fit1(nits, n, bof);
    const float before = i == 1 ? bof : best;
    best = i == 1 ? bof : std::min(best, bof);
    const float relbof = bof - best;
    const float relprob = std::exp(-0.5f * std::min(100.0f, relbof));
    std::string line = "** Fit";
    append_f(line, n + 0.1f * static_cast<float>(i), "(f10.1)");
    append(line, "nits");
    append_i(line, nits);
    append(line, "-2lnL");
    append(line, free_format(best));
    if (i > 1) {
      append(line, "+");
      append_f(line, relbof, "(f10.3)");
      append(line, "P");
      append_n(line, relprob, 4);
    }
    append(line, "**");
    say(line);
    say_fitmodel(n);
    multisitereport();
    if (best >= bof) {
      savepar(n);
      say("** Best fit", n, " parmeters saved.", " Del(-2lnL) =", before - best);
    }
  }
  if (nloop >= 1 && bof > best) {
    const float relbof = bof - best;
    const float relprob = std::exp(-0.5f * std::min(100.0f, relbof));
    say();
    diag("** WARNING: Final BoF", best, " +", relbof, " P", relprob);
    diag("** THIS IS NOT THE BEST FIT.   :((((.");
    restorepar(n);
    int nd, np;
    badness(bof, nd, np);
    say_fitmodel(n);
    multisitereport();
    say("** BEST FIT RESTORED BoF", bof, "   :)");
  }
  say();
}

void chi2calc(float& chi2, int& n) {
  ProgramState& s = state();
  chi2 = 0;
  n = 0;
  if (s.ndata <= 0) return;
  newpredat();
  double sum = 0;
  for (int i = 1; i <= s.ndata; ++i) {
    const float eta = etaflx_i(i);
    sum += eta * eta;
  }
  chi2 = static_cast<float>(sum);
  n = s.ndata;
}

namespace {

// One summary item: the first word of the value in a fixed format.
void append_item(std::string& line, double v, const char* fmt) {
  line += " ";
  line += firstword(format1(v, fmt));
}

}  // namespace

void fitsummary(int unit) {
  ProgramState& s = state();
  say("nperloc =", 6);
  std::string event;
  title_event(event);
  const std::size_t dat = event.find(".dat");
  if (dat != std::string::npos && dat > 0) event.erase(dat);
  std::string line = " " + event;
  const float a0 = atotl(s.y0);
  const float b = std::max(s.b0, 0.0f);
  append_item(line, s.hjd0, "(f14.3)");
  append_item(line, s.te, "(f14.2)");
  append_item(line, s.smag0, "(f14.2)");
  append_item(line, 2.5f * std::log10(a0), "(f14.2)");
  append_item(line, b / (1 + b), "(f14.2)");
  stowall();

  const int w = std::min(s.npfit, 7);
  if (w >= 4) {
    // The nested fits start without blend, baseline noise or error-bar
    // scale; each further parameter then comes back at its fitted value.
    const float b0 = s.b0, sigmag0 = s.sigmag0, erbscl = s.erbscl;
    const int nloc = s.nloc;
    const auto b0_l = s.b0_l, sigmag0_l = s.sigmag0_l, erbscl_l = s.erbscl_l;
    const auto addflx_l = s.addflx_l;
    s.b0 = 0;
    s.sigmag0 = 0;
    s.erbscl = 1;
    for (int l = 1; l <= nloc; ++l) {
      s.b0_l(l) = 0;
      s.sigmag0_l(l) = 0;
      s.erbscl_l(l) = 1;
      s.addflx_l(l) = 0;
    }
    line += " " + free_format(s.ndfit) + " " + free_format(s.npfit);
    const auto put_back_blend = [&]() {
      for (int l = 1; l <= nloc; ++l) {
        s.b0_l(l) = b0_l(l);
        s.addflx_l(l) = addflx_l(l);
      }
    };
    for (int k = 4; k <= w; ++k) {
      int nits = 0, nd = 0;
      float bof = 0, chi2 = 0;
      fit1(nits, k, bof);
      chi2calc(chi2, nd);
      const float red = chi2 / static_cast<float>(std::max(nd - k, 1));
      say(nits, "-------- Chi^2=", chi2, " /(", nd, " -", k, " )=", red);
      append_item(line, red, "(f14.2)");
      if (k >= w) continue;
      if (k == 4) {
        say("b0 =", s.b0, "=>", b0);
        s.b0 = b0;
        put_back_blend();
        append_item(line, b0, "(f14.2)");
      } else if (k == 5) {
        say("sigmag0 =", s.sigmag0, "=>", sigmag0);
        s.sigmag0 = sigmag0;
        for (int l = 1; l <= nloc; ++l) s.sigmag0_l(l) = sigmag0_l(l);
        put_back_blend();
        append_item(line, sigmag0, "(f14.2)");
      } else if (k == 6) {
        say("erbscl =", s.erbscl, "=>", erbscl);
        s.erbscl = erbscl;
        for (int l = 1; l <= nloc; ++l) {
          s.erbscl_l(l) = erbscl_l(l);
          s.sigmag0_l(l) = sigmag0_l(l);
        }
        put_back_blend();
        append_item(line, erbscl, "(f14.2)");
      }
    }
  }
  summary_line(unit, line);
  restoreall();
}

void noplanetfit() {
  ProgramState& s = state();
  if (s.qpl <= 0) return;
  say("remove planet at q", s.qpl, " x,y:", s.xpl, s.ypl);
  noplanet();
  if (s.ndata <= 0) return;
  const float b0 = s.b0, sigmag0 = s.sigmag0, erbscl = s.erbscl;
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  const auto show = [&]() {
    say("A0", s.a0, " t0", s.t0, " te", s.te);
    say("sig0", s.sigmag0, " f", s.erbscl, " b", s.b0);
  };
  show();
  const int k = std::min(s.npfit, 7);
  say("noplanetfit-", k);
  int nits = 0;
  float bof = 0;
  fit1(nits, k, bof);
  show();
  s.b0 = b0;
  s.sigmag0 = sigmag0;
  s.erbscl = erbscl;
  say("restored:");
  say("sig0", s.sigmag0, " f", s.erbscl, " b", s.b0);
}

}  // namespace zolka
