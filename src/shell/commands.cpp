#include "shell/commands.h"

#include <algorithm>

#include "fit/captions.h"
#include "fit/covariance.h"
#include "fit/guess.h"
#include "fit/parameter_listing.h"
#include "graphics/plot_menu.h"
#include "lightcurve/ingest.h"
#include "lightcurve/store.h"
#include "shell/command_loop.h"
#include "shell/core/console.h"
#include "shell/core/print.h"
#include "shell/core/prompts.h"
#include "shell/core/state.h"
#include "shell/core/system.h"
#include "shell/core/text.h"
#include "shell/edit_parameters.h"
#include "shell/fit_command.h"
#include "shell/model/now.h"
#include "shell/model/startup.h"

namespace zolka {

void run_spawn(const Reply& r) {
  // Everything after the "$" keeps its letter case.
  const std::size_t p = r.raw.find('$');
  spawn(std::string_view(r.raw).substr(p + 1));
}

void run_mute(const Reply&) {
  ProgramState& s = state();
  for (;;) {
    say("Mute diagnostics:");
    say("F ... mute Fit0", s.mutefit0);
    say("A ... mute Amoeba", s.muteamoeba);
    say("P ... mute amoebaPlot", s.muteamoebaplot);
    const std::string which(trimmed(upcase(inq("Which to change", ""))));
    int* flag = which == "F"   ? &s.mutefit0
                : which == "A" ? &s.muteamoeba
                : which == "P" ? &s.muteamoebaplot
                               : nullptr;
    if (!flag) return;
    *flag = std::max(0, 1 - *flag);
  }
}

void run_quit(const Reply&) {
  const std::string answer(trimmed(upcase(inq("Do you REALLY want to quit ZOLKA ?", "N"))));
  if (answer == "Y") throw QuitProgram{};
}

void run_timezone(const Reply&) {
  say("local computer date/time:");
  shell_command("date");
  console::line(nowline());
  say("BST +1  GMT 0  EST -5  CST -6  MST -7  PST -8");
  int ival = 0;
  inqi("Time Zone (hours ahead of UTC):", 0, ival);
  state().timezone = ival;
}

void run_edit(const Reply&) {
  editparms();
  needs();
}

void run_times(const Reply&) {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  say("HJD0-MJD0 =", s.hjd0, " -", s.mjd0, " =", s.t0);
  edittimes();
}

namespace {

// After a load with data: the starting model, the times again (the starting
// model may move hjd0), the plot window and the closing summary.
void afterload() {
  ProgramState& s = state();
  guesslens();
  timearray();
  std::string title;
  title_chi2(title);
  nogreek(title);
  noupdn(title);
  say("** title_chi2( ", title, " )");
  s.tbeg = -5;
  s.tend = 0;
  say(std::string(42, '-'));
  say("total data points:", s.ndata, " sites:", s.nloc);
}

}  // namespace

void run_fit(const Reply&) {
  int npf = 0;
  fitlens(npf);
  needs();
  covcalc();
  showbigcov(0.5f);
  showcov();
  showparsig();
}

void run_plot(const Reply& r) {
  mplot(r.raw);
}

void run_data(const Reply&) {
  if (newdata()) afterload();
  needs();
}

}  // namespace zolka
