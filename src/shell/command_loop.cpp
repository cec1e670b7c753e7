#include "shell/command_loop.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "graphics/device.h"
#include "graphics/site_style.h"
#include "shell/commands.h"
#include "shell/core/console.h"
#include "shell/core/print.h"
#include "shell/core/prompts.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/startup.h"

namespace zolka {

namespace {

// What the loop does after a command: show the menu or ask again directly.
enum class After { menu, prompt };

// One row of the decision table. Rows are tried in order; the first whose
// test matches wins. A row without a handler shows the menu.
struct Command {
  const char* what;
  std::function<bool(const Reply&)> matches;
  std::function<void(const Reply&)> run;
  After after;
};

bool first_is(const Reply& r, char c) {
  return !r.up.empty() && r.up[0] == c;
}
bool first_two(const Reply& r, const char* two) {
  return r.up.compare(0, 2, two) == 0;
}
bool first_of(const Reply& r, const char* letters) {
  return !r.up.empty() && r.up[0] != ' ' &&
         std::string_view(letters).find(r.up[0]) != std::string_view::npos;
}
bool has_data() {
  return state().ndata >= 1;
}

const std::vector<Command>& table() {
  static const std::vector<Command> rows = {
      {"$ shell command", [](const Reply& r) { return !r.word.empty() && r.word[0] == '$'; },
       run_spawn, After::prompt},
      {"blank: menu", [](const Reply& r) { return len1(r.up) == 0; }, nullptr, After::menu},
      {"MUTE", [](const Reply& r) { return upcase(r.word).rfind("MUTE", 0) == 0; }, run_mute,
       After::prompt},
      {"Q quit", [](const Reply& r) { return first_is(r, 'Q'); }, run_quit, After::menu},
      {"TZ time zone", [](const Reply& r) { return first_two(r, "TZ"); }, run_timezone,
       After::menu},
      {"plot menu",
       [](const Reply& r) {
         return first_of(r, "ACGIKLMNOPRVYZ") || first_two(r, "XY") || first_two(r, "UA") ||
                first_two(r, "TF") || first_two(r, "FQ");
       },
       run_plot, After::menu},
      {"X rebin",
       [](const Reply& r) {
         return r.up.size() >= 1 && r.up[0] == 'X' && (r.up.size() == 1 || r.up[1] == ' ');
       },
       nullptr, After::menu},
      {"E edit", [](const Reply& r) { return first_is(r, 'E'); }, run_edit, After::menu},
      {"T times", [](const Reply& r) { return first_is(r, 'T'); }, run_times, After::menu},
      {"D data", [](const Reply& r) { return first_is(r, 'D'); }, run_data, After::menu},
      {"no data: menu", [](const Reply&) { return !has_data(); }, nullptr, After::menu},
      {"F fit", [](const Reply& r) { return first_is(r, 'F'); }, run_fit, After::prompt},
      {"S sigma grid", [](const Reply& r) { return first_is(r, 'S'); }, nullptr, After::menu},
      {"BB blend grid", [](const Reply& r) { return first_two(r, "BB"); }, nullptr, After::menu},
      {"B blend plot", [](const Reply& r) { return first_is(r, 'B'); }, run_plot, After::menu},
      {"U u-q grid", [](const Reply& r) { return first_is(r, 'U'); }, nullptr, After::menu},
      {"H hone", [](const Reply& r) { return first_is(r, 'H'); }, nullptr, After::menu},
      {"W write", [](const Reply& r) { return first_is(r, 'W'); }, nullptr, After::prompt},
  };
  return rows;
}

}  // namespace

void initzolka() {
  initstate();
  siteicons();
  // An open plot is closed, and its file completed, however the run ends.
  state().closeplot = closeplot;
}

void banner() {
  const std::string frame(50, '*');
  console::line(frame);
  const char* lines[] = {
      "* ZOLKA - fit binary lens model to lightcurves   *",
      "*       - assess lens star planet detect zones   *",
      "* 1998 Aug - first version: PSPL fits, Chi2 maps *",
      "* 2002 Nov - blending                            *",
      "* 2003 Jul - multi-site baseline mags            *",
      "* 2003 Sep - Prior(f)                            *",
      "* 2003 Dec - seeing                              *",
      "* 2004 Jun - Prior(tE,A0)                        *",
      "* 2007 Mar - more robust guesslens               *",
      "* 2007 Oct - Chi2(x,y) (lnu,theta) (t,f) maps    *",
      "* 2008 Jul - fit fluxes, Priority on mag plot    *",
      "* 2008 Jul - parameter covariancess and writeout *",
      "* 2009 May - baseline rebin and blend prior      *",
  };
  for (const char* l : lines) console::line(l);
  console::line("* " + std::string(trimmed(state().version)) + " = current version");
  console::line(frame);
}

bool dispatch(const std::string& reply) {
  Reply r;
  r.raw = reply;
  r.up = upcase(reply);
  r.word = std::string(firstword(reply));
  for (const Command& c : table()) {
    if (!c.matches(r)) continue;
    if (!c.run) return true;
    c.run(r);
    return c.after == After::menu;
  }
  // Anything else shows the menu again, without a message.
  return true;
}

int run_program() {
  ProgramState& s = state();
  try {
    s.version = "2011-Jun-22";
    s.muteamoeba = 1;
    s.muteamoebaplot = 1;
    s.mutefit0 = 1;
    banner();
    s.timezone = 1;
    initzolka();
    bool show_menu = true;
    for (;;) {
      if (show_menu) menu();
      std::string reply;
      inq("ZOLKA> ", "", reply, replylen);
      show_menu = dispatch(reply);
    }
  } catch (const QuitProgram&) {
    say("ZOLKA retired.");
    console::flush();
    if (s.closeplot) s.closeplot();
    return 0;
  } catch (const EndOfInput&) {
    console::line("");
    say("** End of input.  ZOLKA retired.");
    console::flush();
    if (s.closeplot) s.closeplot();
    return 0;
  } catch (const FatalStop&) {
    // The message has been printed where the stop was raised.
    console::flush();
    if (s.closeplot) s.closeplot();
    return 1;
  }
}

}  // namespace zolka
