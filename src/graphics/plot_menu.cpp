#include "graphics/plot_menu.h"

#include <algorithm>
#include <string>

#include "graphics/device.h"
#include "graphics/image_plot.h"
#include "graphics/light_curve.h"
#include "graphics/map_display.h"
#include "graphics/pgplot.h"
#include "shell/core/console.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

constexpr int optlen = 10;         // longest plot reply, characters
constexpr float panelsize = 1.5f;  // character height of every panel
constexpr int logocolour = 4;      // colour index of the logo

// One letter of the plot menu: the routine that draws its panel (nullptr
// while the panel has none yet) and where its logo goes ('T' above the top
// edge, 'C' inside the bottom edge where a map's colour wedge leaves room).
struct Panel {
  char letter;
  void (*draw)();
  char logo;
};

constexpr Panel panels[] = {
    {'A', nullptr, 'T'},                 // magnification A(t) against its slope: aaplot
    {'B', nullptr, 'T'},                 // source and blend fluxes per site: fsfbplot
    {'C', [] { gridfit("XY"); }, 'C'},   // chi-square map over planet x, y
    {'G', nullptr, 'T'},                 // Gaussian test of the residuals: gplot
    {'I', [] { iplot(0, 0, 0); }, 'T'},  // image positions along the source track only
    {'K', [] { gridfit("FQ"); }, 'T'},   // chi-square map over f, q
    {'L', [] { gridfit("UA"); }, 'C'},   // chi-square map over u, alpha
    {'M', magplot, 'T'},                 // light curve
    {'N', nullptr, 'T'},                 // normalised residuals: eplot
    {'O', nullptr, 'T'},                 // orbit detection-probability map: oplot(1.0)
    {'P', nullptr, 'T'},                 // detection probability against orbit radius: pplot
    {'R', nullptr, 'T'},                 // magnitude residuals: rplot
    {'V', [] { gridfit("TF"); }, 'C'},   // chi-square map over t, f
    {'Y', nullptr, 'T'},                 // sky correlations: skyplot
    {'Z', nullptr, 'T'},                 // seeing correlations: seeplot
};

const Panel* find_panel(char letter) {
  for (const Panel& p : panels)
    if (p.letter == letter) return &p;
  return nullptr;
}

}  // namespace

void mplot(std::string_view opt) {
  ProgramState& s = state();
  std::string reply(opt.substr(0, std::min<std::size_t>(opt.size(), optlen)));
  const std::string letters(firstword(upcase(reply)));
  if (letters.empty()) return;
  do {
    int nx = 1, ny = static_cast<int>(letters.size()), isnew = 0;
    pgstart(nx, ny, isnew);
    pgkolors();
    s.csize = panelsize;
    pgsch(s.csize);
    s.lwide = 1;
    pgslw(s.lwide);
    for (char c : letters) {
      console::line("");
      const Panel* p = find_panel(c);
      if (p != nullptr && p->draw != nullptr)
        p->draw();
      else
        empty_panel();
      pgsci(logocolour);
      pgzolka(p != nullptr ? p->logo : 'T');
    }
    pgstop();
  } while (pgagain());
}

}  // namespace zolka
