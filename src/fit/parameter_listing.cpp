#include "fit/parameter_listing.h"

#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

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
