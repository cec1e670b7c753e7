#include "fit/site_report.h"

#include "fit/captions.h"
#include "shell/core/console.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

void multisitereport() {
  const ProgramState& s = state();
  for (int i = 1; i <= s.nloc; ++i) {
    std::string line = "fs/f1=";
    append_f(line, s.fs_l(i) / s.fs_l(1), "(f15.2)");
    append(line, "b0=");
    append_f(line, s.b0_l(i), "(f15.2)");
    append(line, "sig0=");
    append_f(line, s.sigmag0_l(i), "(f15.2)");
    append(line, "f=");
    append_f(line, s.erbscl_l(i), "(f15.2)");
    append_f(line, 100 * s.syserr_l(i), "(f15.1)");
    line += "%";
    title_chi2site(line, i);
    noeqbl(line);
    append(line, s.site_l(i));
    console::line("   " + line);
  }
}

}  // namespace zolka
