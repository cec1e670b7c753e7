#include "fit/parameter_listing.h"

#include <cmath>
#include <string>

#include "fit/captions.h"
#include "numeric/rounding.h"
#include "shell/core/console.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {
// Listing lines are indented by three blanks.
void listline(const std::string& t) {
  console::line("   " + t);
}
}  // namespace

void showpar() {
  const ProgramState& s = state();
  std::string t;
  title_lens(t);
  listline(t);

  t.clear();
  title_q(t);
  title_plpos(t);
  nogreek(t);
  noupdn(t);
  noeqbl(t);
  listline(t);

  showsitepar();

  t.clear();
  title_pr(t);
  noeqbl(t);
  listline(t);

  t = format("(a,f10.1,a,2f10.1)", {"DelChi2=", s.delchi2, " Clip", s.cliplo, s.cliphi});
  title_see(t);
  title_sky(t);
  noeqbl(t);
  listline(t);
}

void showsitepar() {
  for (int l = 1; l <= state().nloc; ++l) {
    std::string t;
    title_site(t, l);
    noeqbl(t);
    listline(t);
  }
}

void showsite() {
  const ProgramState& s = state();
  if (s.loc < 1 || s.loc > s.nloc) return;
  std::string t = "Site";
  append_i(t, s.loc);
  append(t, "D(m)=");
  append_n(t, s.diam, 2);
  append(t, "Lat(N)=");
  append_f(t, s.glat, "(f15.2)");
  append(t, "Lon(E)=");
  append_f(t, s.glon, "(f15.2)");
  append(t, "Hgt(m)=");
  append_i(t, nint(s.elev));
  append(t, "Ndat");
  append_i(t, s.ndat_l(s.loc));
  noeqbl(t);
  say(t);
  t.clear();
  title_site(t, s.loc);
  listline(t);
}

void shortparnames() {
  ProgramState& s = state();
  for (int k = 1; k <= maxpar; ++k) {
    s.name_p(k).clear();
    s.par_p(k) = 0;
  }
  const auto put = [&s](int k, const std::string& name, float value) {
    if (k < 1 || k > maxpar) return;
    s.name_p(k) = name;
    s.par_p(k) = value;
  };
  put(s.kpar(3), "t0", static_cast<float>(s.hjd0 - s.mjd0));
  put(s.kpar(4), "tE", s.te);
  put(s.kpar(5), "u0", s.y0);
  const int first = s.ncovdim - 2 * s.nloc;
  for (int l = 1; l <= s.nloc; ++l) {
    std::string site(trimmed(s.site_l(l)));
    if (site.empty()) site = std::to_string(l);
    std::string fs = "fs(" + site + ")";
    std::string f0 = "f0(" + site + ")";
    nospace(fs);
    nospace(f0);
    put(first + 2 * l - 1, fs, s.fs_l(l));
    put(first + 2 * l, f0, s.fs_l(l) + s.fb_l(l));
  }
}

void showparsig() {
  const ProgramState& s = state();
  say("Parameters:", s.ncovdim);
  for (int i = 1; i <= s.ncovdim; ++i) say(i, " " + s.name_p(i), s.par_p(i), " +/-", s.sig_p(i));
  say();
  say("Peak magnification A0", s.a0, " +/-", s.siga0);
  say("Baseline magnitude m0", s.smag0, " +/-", s.sigm0);
}

}  // namespace zolka
