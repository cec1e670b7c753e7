#include <cmath>

#include "fit/badness.h"
#include "fit/captions.h"
#include "fit/parameter_listing.h"
#include "fit/site_report.h"
#include "shell/command_loop.h"
#include "shell/core/console.h"
#include "shell/core/format.h"
#include "shell/core/state.h"
#include "shell/core/system.h"
#include "shell/core/text.h"
#include "shell/model/now.h"

namespace zolka {

namespace {

// " C ... Chi2(x,y|q)" nx ny "q" q "Chi2" chi2 "cpu" cpu, appended word by word.
std::string mapline(const char* head, int n1, int n2, float q, float chi2, float cpu) {
  std::string title = head;
  append_i(title, n1);
  append_i(title, n2);
  append(title, "q");
  append_n(title, q, 3);
  append(title, "Chi2");
  append_f(title, chi2, "(f10.2)");
  append(title, "cpu");
  append_i(title, std::llround(cpu));
  return title;
}

// A fixed menu text followed by a caption, one blank between them.
std::string titled(const char* head, const std::string& caption) {
  std::string line = head;
  append(line, caption);
  return line;
}

// The chi-square caption in terminal form.
std::string chi2caption() {
  std::string t;
  title_chi2(t);
  nogreek(t);
  noupdn(t);
  return t;
}

}  // namespace

void menu() {
  ProgramState& s = state();
  const bool data = s.ndata > 0;
  std::string chi2title;
  if (data) {
    // Keeps the fit statistics the menu shows current.
    chi2title = chi2caption();
    float bof;
    int nd, np;
    badness(bof, nd, np);
  }
  console::line("ZOLKA menu: =====================================");
  shell_command("date");
  console::line(nowline());

  std::string dline = freetext(" D ... Data:", s.ndata);
  if (data) {
    append(dline, s.datfile);
    if (len1(s.event) > 0) append(dline, s.event);
  }
  console::line(dline);
  multisitereport();

  console::line(" E ... Edit parameters");
  showpar();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  console::line(freetext(" T ... Time range:", s.tbeg, s.tend, " (t-t0)/te", (s.tbeg - s.t0) / s.te,
                         (s.tend - s.t0) / s.te));
  if (data) {
    console::line(freetext(" X ... Bin baseline", s.binday, " days."));
    std::string t = chi2caption();
    noeqbl(t);
    console::line(titled(" F ... Fit amoeba ", t));
    console::line(" W ... Write parameter file");
    console::line(" WXY,WUA,WTF write Chi^2 map files");
    t.clear();
    title_sig0(t);
    title_f(t);
    title_pr_f(t);
    noeqbl(t);
    console::line(titled(" S ... Sigma grid ", t));
    t.clear();
    title_b(t);
    noeqbl(t);
    console::line(titled(" B ... Blending (BB=grid) ", t));
  }
  std::string t;
  title_anow(t);
  title_a0pm(t);
  console::line(titled(" A ... A(t) plot ", t));
  t.clear();
  title_priority(t);
  noupdn(t);
  console::line(titled(" M ... Mag(t) ", t));
  if (data) {
    console::line(" R ... Residuals");
    console::line(" N ... Normalized residuals");
    console::line(" G ... Gaussian residuals test");
    console::line(" Y ... Sky correlations");
    console::line(" Z ... Seeing correlations");
    console::line(mapline(" C ... Chi2(x,y|q)", s.nxp, s.nyp, s.qxy, s.chi2xy, s.cpuxy));
    console::line(mapline(" L ... Chi2(u,a|q)", s.nup, s.nap, s.qua, s.chi2ua, s.cpuua));
    console::line(mapline(" V ... Chi2(t,f|q)", s.ntp, s.nfp, s.qtf, s.chi2tf, s.cputf));
    console::line(mapline(" K ... Chi2(f,q)", s.nf, s.nqp, s.qfq, s.chi2fq, s.cpufq));
    console::line(" P ... P(det|a)");
    console::line(" H ... Hone binary-lens fits");
    console::line(" U ... U-q grid ");
  }
  console::line(" I ... Image positions");
  console::line(" O ... Orbit P(x,y|a)");
  console::line(" $ ... Spawn a command to the operating system");
  console::line(" Q ... Quit ZOLKA");
}

}  // namespace zolka
