#include "graphics/site_style.h"

#include <string>

#include "graphics/pgplot.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {
constexpr int sitecolour = 17;  // colour index defined from a site's colour name
}

void siteicons() {
  static constexpr int symbols[10] = {17, 16, 13, 18, 4, 6, 7, 12, 11, 5};
  ProgramState& s = state();
  for (int l = 1; l <= maxsite; ++l) {
    s.isymb_l(l) = l <= 10 ? symbols[l - 1] : 1;
    s.kolor_l(l) = l <= 10 ? l : 11;
  }
}

void siteci(int isite, int& k) {
  const ProgramState& s = state();
  if (isite < 1 || isite > s.nloc) return;
  const char icon = s.icon_l(isite);
  const std::string& colour = s.colour_l(isite);
  if (icon == ' ' || icon == '\0' || len1(colour) == 0) return;
  int ier = 1;
  pgscrn(sitecolour, trimmed(colour), ier);
  say(std::string(1, icon) + " " + std::string(trimmed(colour)), ier, k);
  if (ier == 0) k = sitecolour;
}

}  // namespace zolka
