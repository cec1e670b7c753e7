#include "detect/chi2map.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "detect/grids.h"
#include "detect/map_cache.h"
#include "detect/set_planet.h"
#include "fit/fit_drivers.h"
#include "fit/prediction.h"
#include "lens/image_tracks.h"
#include "lens/point_images.h"
#include "numeric/clock.h"
#include "numeric/rounding.h"
#include "numeric/stats.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/summary_files.h"
#include "shell/core/text.h"
#include "shell/model/stacks.h"

namespace zolka {

namespace {

constexpr int optlen = 10;  // longest map kind, characters

// Refit the tweaked parameters at a pixel when the planet moves the
// chi-square by more than this share of the detection threshold.
constexpr float refit_share = 0.02f;

std::string letter(const std::string& opt, std::size_t k) {
  return k < opt.size() ? std::string(1, opt[k]) : std::string(" ");
}

// Smallest and largest value of points 1 .. n of a store array.
void range(const Vec1<float>& a, int n, float& lo, float& hi) {
  lo = hi = 0;
  if (n >= 1) mnmx(n, &a(1), lo, hi);
}

int percent(int part, int whole) {
  return nint(100.0f * static_cast<float>(part) / static_cast<float>(std::max(whole, 1)));
}

// The reconnaissance pass: marks with -1 every pixel where a planet may
// change some data point (imclose) and returns how many it marked.
int reconnaissance(const std::string& opt) {
  ProgramState& s = state();
  say(" FAST reconnaisance using IMCLOSE.");
  say("Image positions for u0", s.y0, " A0", s.a0, " data", s.ndata);
  xcalc();
  lcalc(s.ndata, s.x_t.data(), s.y0);
  float lo1, hi1, lo2, hi2, lo3, hi3;
  range(s.xp_t, s.ndata, lo1, hi1);
  range(s.yp_t, s.ndata, lo2, hi2);
  range(s.ap_t, s.ndata, lo3, hi3);
  say("Major: x", lo1, hi1, " y", lo2, hi2, " A", lo3, hi3);
  range(s.xm_t, s.ndata, lo1, hi1);
  range(s.ym_t, s.ndata, lo2, hi2);
  range(s.am_t, s.ndata, lo3, hi3);
  say("Minor: x", lo1, hi1, " y", lo2, hi2, " A", lo3, hi3);
  range(s.erbmag_t, s.ndata, lo1, hi1);
  say("Magnitude errors:", lo1, hi1);
  say("call premag, erbmag");
  for (int i = 1; i <= s.ndata; ++i) s.erbmag_t(i) = erbmag(i, premag(s.hjd_t(i)));
  range(s.erbmag_t, s.ndata, lo1, hi1);
  say("Magnitude errors:", lo1, hi1);

  const int n1 = s.n_1, n2 = s.n_2;
  const int npix = n1 * n2;
  for (int p = 1; p <= npix; ++p) s.chi2_12(p) = s.chi2fit;
  say("Chi^2( ", opt, " )", npix, " pixels set to", s.chi2fit);

  const int every = std::max(n2 / 10, 1);
  const std::string l2 = letter(opt, 1);
  int marked = 0;
  for (int j = 1; j <= n2; ++j) {
    const float a2 = s.par_2(j);
    for (int k = 1; k <= n1; ++k) {
      setplanet(opt, s.par_1(k), a2);
      if (imclose(s.upl, s.apl)) {
        s.chi2_12((j - 1) * n1 + k) = -1;
        ++marked;
      }
    }
    if (j == 1 || j == n2 || j % every == 0)
      say(j, n2, " At ", l2, " =", a2, " need", marked, " of", j * n1, " =",
          percent(marked, j * n1), " %");
  }
  return marked;
}

}  // namespace

void chi2map(std::string_view option) {
  ProgramState& s = state();
  const std::string opt =
      upcase(std::string(option.substr(0, std::min(option.size(), std::size_t(optlen)))));
  const bool fast = opt != "FQ";
  say("chi2map( ", opt, " ) ***********");
  say("fast =", fast ? " T" : " F");
  showgrid(opt);

  if (useoldmap(opt)) {
    say("Using previous Chi^2( ", opt, " )");
    fetchgrid(opt);
    return;
  }
  say("Must recompute Chi^2( ", opt, " )");
  if (s.ndata <= 0) {
    diag("** WARNING in chi2map: NO DATA TO MAP.");
    return;
  }
  const int n1 = s.n_1, n2 = s.n_2;
  const int npix = n1 * n2;
  if (npix <= 0) {
    diag("** WARNING in chi2map: EMPTY GRID.");
    return;
  }

  // Reference fit without the planet.
  saveplanet();
  const int npfit_user = s.npfit;
  noplanet();
  s.npfit = 5;
  int nits = 0;
  float bof = 0;
  fit1(nits, s.npfit, bof);
  // Every pixel starts from this save: it holds the tweaked parameters too
  // (the error model as it stands when more than five are tweaked), so that
  // none comes back from an older save.
  savepar(std::max(s.npfit, s.ntweak));
  float chi2min = 0;
  int nd = 0;
  chi2calc(chi2min, nd);
  s.ndfit = s.ndata;
  const int dof = std::max(s.ndata - s.npfit, 0);
  say("WITHOUT planet, parameters:", s.npfit, " bof:", bof);
  say("                   chi2min:", chi2min, " / (", s.ndata, " -", s.npfit,
      " ) =", chi2min / static_cast<float>(std::max(dof, 1)));
  s.mapfit = s.npfit;
  s.mapdof = dof;
  s.chi2ref = s.chi2fit = chi2min;
  cpu();
  s.npfit = s.ntweak;
  restoreplanet();

  // Reconnaissance: which pixels can matter at all.
  float cpufast = 0;
  int need = npix;
  if (fast) {
    need = reconnaissance(opt);
    cpufast = cpu();
    say(" FAST reconnaisance using IMCLOSE. CPU:", cpufast);
  }
  say("Need Chi^2( ", opt, " ) at ", need, " of", npix, " =", percent(need, npix), " %");
  say("   tweaking ", s.ntweak, " parameters.");
  restoreplanet();

  // Main pass.
  const std::string l1 = letter(opt, 0), l2 = letter(opt, 1);
  const int every = std::max(n2 / 30, 1);
  float total = 0;
  for (int j = 1; j <= n2; ++j) {
    const float a2 = s.par_2(j);
    const int row = (j - 1) * n1;
    for (int k = 1; k <= n1; ++k) {
      float& pixel = s.chi2_12(row + k);
      if (fast && pixel > 0) continue;
      setplanet(opt, s.par_1(k), a2);
      restorepar(s.npfit);
      float chi2 = 0;
      chi2calc(chi2, nd);
      if (s.npfit >= 1 && std::fabs(chi2 - s.chi2fit) > refit_share * s.delchi2) {
        fit1(nits, s.npfit, bof);
        chi2calc(chi2, nd);
      }
      pixel = chi2;
    }
    const float rowcpu = cpu();
    total += rowcpu;
    const float left = static_cast<float>(n2 - j);
    const float e1 = rowcpu * left;
    const float e2 = total * left / static_cast<float>(j);
    const float denom = (e1 + e2) / 2 + total;
    const float progress = denom > 0 ? 100 * total / denom : 100 * total;
    if (j == n2 || j == 1 || j % every == 0) {
      float lo = 0, hi = 0;
      mnmx(n1, &s.chi2_12(row + 1), lo, hi);
      say(j, n2, s.npfit, " ", l2, a2, " chi2", lo, hi, " cpu:", nint(total), nint(e2), nint(e1),
          nint(progress), " %");
    }
  }
  say("Total CPU:", cpufast, " +", total, " =", cpufast + total);

  // Best and worst pixels; ties keep the earliest pixel in row order.
  int pbest = 1, pworst = 1;
  for (int p = 2; p <= npix; ++p) {
    if (s.chi2_12(p) < s.chi2_12(pbest)) pbest = p;
    if (s.chi2_12(p) > s.chi2_12(pworst)) pworst = p;
  }
  const float cmin = s.chi2_12(pbest), cmax = s.chi2_12(pworst);
  const int n = std::max(npfit_user, s.ntweak);
  const int dofp = std::max(s.ndata - n - 2, 0);
  say("WITH planet Chi2min =", cmin, " / (", s.ndata, " -", n + 2,
      " ) =", cmin / static_cast<float>(std::max(dofp, 1)));
  const auto axes = [&](int p, float& a1, float& a2) {
    a1 = s.par_1((p - 1) % n1 + 1);
    a2 = s.par_2((p - 1) / n1 + 1);
  };
  float a1 = 0, a2 = 0;
  axes(pworst, a1, a2);
  s.dchi2fit = s.chi2fit - cmax;
  say("Worst DelChi2( ", l1, " =", a1, ", ", l2, " =", a2, " ) =", s.dchi2fit);
  axes(pbest, a1, a2);
  s.dchi2fit = s.chi2fit - cmin;
  say(" Best DelChi2( ", l1, " =", a1, ", ", l2, " =", a2, " ) =", s.dchi2fit);

  setplanet(opt, a1, a2);
  s.cpumap = cpufast + total;
  s.qmap = s.qpl;
  s.maptweak = s.ntweak;
  say("Chi2( ", opt, " )", cmin, cmax);
  stowgrid(opt);
  say("Chi2( ", opt, " )", cmin, cmax);

  // The fit record: the lens as the map left it, the planet of the best pixel.
  s.smag0fit = s.smag0;
  s.hjd0fit = s.hjd0;
  s.tefit = s.te;
  s.a0fit = s.a0;
  s.y0fit = s.y0;
  s.xplfit = s.xpl;
  s.yplfit = s.ypl;
  s.qplfit = s.qpl;

  restoreplanet();
  s.npfit = npfit_user;
  cmapsummary(20);
}

void cmapsummary(int unit) {
  ProgramState& s = state();
  fitsummary(unit);
  std::string line = s.datfile + " ";
  line += format("(a,f10.5,f10.2,f10.2,a,f10.2)",
                 {" qxy:", s.qplfit, s.xplfit, s.yplfit, " dChi2:", s.dchi2fit});
  summary_line(unit, line);
}

}  // namespace zolka
