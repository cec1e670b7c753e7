#include "detect/map_cache.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "detect/grids.h"
#include "shell/core/print.h"
#include "shell/core/prompts.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

constexpr int maxtweak = 7;  // at most the seven point-lens parameters are refitted per pixel

// One kind's cache: where its grid, map, metadata and hold record live.
struct Cache {
  const char* name;       // "XY", ...
  const char* check;      // banner of its reuse test
  const char* firstneed;  // label of the flag on the banner line
  const char* axis1;      // letter of the first axis in the reuse test
  const char* axis2;      // letter of the second axis
  float tol;              // largest change of an axis end that keeps the map
  bool heldtweakdefault;  // the tweak prompt offers the held count (else ntweak)
  int* n1;                // axis counts
  int* n2;                //
  Vec1<float>* ax1;       // axes
  Vec1<float>* ax2;       //
  Mat1<float>* map;       // chi-square at axis points (i, j)
  float* q;               // mass ratio of the map; nullptr when q is an axis
  int* nfit;              // metadata
  int* ntweak;            //
  int* ndof;              //
  float* chi2;            //
  float* cpu;             //
  bool* need;             // the cache must be recomputed
  MapHold* hold;          // the grid the map was made on
};

Cache cache_xy(ProgramState& s) {
  return {.name = "XY",
          .check = "checkcxy ********  ",
          .firstneed = "need c(x,y) ",
          .axis1 = "X",
          .axis2 = "Y",
          .tol = 0.002f,
          .heldtweakdefault = true,
          .n1 = &s.nxp,
          .n2 = &s.nyp,
          .ax1 = &s.xp_x,
          .ax2 = &s.yp_y,
          .map = &s.c_xy,
          .q = &s.qxy,
          .nfit = &s.nfitxy,
          .ntweak = &s.ntweakxy,
          .ndof = &s.ndofxy,
          .chi2 = &s.chi2xy,
          .cpu = &s.cpuxy,
          .need = &s.needcxy,
          .hold = &s.holdxy};
}
Cache cache_ua(ProgramState& s) {
  return {.name = "UA",
          .check = "checkcua ********  ",
          .firstneed = "need c( UA ) ",
          .axis1 = "U",
          .axis2 = "A",
          .tol = 0.001f,
          .heldtweakdefault = false,
          .n1 = &s.nup,
          .n2 = &s.nap,
          .ax1 = &s.ulog_u,
          .ax2 = &s.ap_a,
          .map = &s.c_ua,
          .q = &s.qua,
          .nfit = &s.nfitua,
          .ntweak = &s.ntweakua,
          .ndof = &s.ndofua,
          .chi2 = &s.chi2ua,
          .cpu = &s.cpuua,
          .need = &s.needcua,
          .hold = &s.holdua};
}
Cache cache_tf(ProgramState& s) {
  return {.name = "TF",
          .check = "checkctf ********  ",
          .firstneed = "need c( TF ) ",
          .axis1 = "T",
          .axis2 = "F",
          .tol = 0.001f,
          .heldtweakdefault = false,
          .n1 = &s.ntp,
          .n2 = &s.nfp,
          .ax1 = &s.tp_t,
          .ax2 = &s.fp_f,
          .map = &s.c_tf,
          .q = &s.qtf,
          .nfit = &s.nfittf,
          .ntweak = &s.ntweaktf,
          .ndof = &s.ndoftf,
          .chi2 = &s.chi2tf,
          .cpu = &s.cputf,
          .need = &s.needctf,
          .hold = &s.holdtf};
}
Cache cache_fq(ProgramState& s) {
  return {.name = "FQ",
          .check = "checkcfq ********  ",
          .firstneed = "need c( FQ ) ",
          .axis1 = "F",
          .axis2 = "Q",
          .tol = 0.001f,
          .heldtweakdefault = false,
          .n1 = &s.nf,
          .n2 = &s.nqp,
          .ax1 = &s.f_f,
          .ax2 = &s.qlog_q,
          .map = &s.c_fq,
          .q = nullptr,
          .nfit = &s.nfitfq,
          .ntweak = &s.ntweakfq,
          .ndof = &s.ndoffq,
          .chi2 = &s.chi2fq,
          .cpu = &s.cpufq,
          .need = &s.needcfq,
          .hold = &s.holdfq};
}

// The cache of kind o (upper-cased); false for another option.
bool find_cache(const std::string& o, Cache& c) {
  ProgramState& s = state();
  if (o == "XY")
    c = cache_xy(s);
  else if (o == "UA")
    c = cache_ua(s);
  else if (o == "TF")
    c = cache_tf(s);
  else if (o == "FQ")
    c = cache_fq(s);
  else
    return false;
  return true;
}

bool ends_moved(const Vec1<float>& axis, int n, float first, float last, float tol) {
  return std::fabs(axis_first(axis, n) - first) > tol || std::fabs(axis_last(axis, n) - last) > tol;
}

std::string need_label(const Cache& c) {
  return std::string("need c( ") + c.name + " ) ";
}

bool check(const Cache& c) {
  ProgramState& s = state();
  bool& need = *c.need;
  const MapHold& h = *c.hold;
  say(c.check, c.firstneed, need);
  if (c.q != nullptr && s.qpl != h.q) need = true;
  const int n1 = *c.n1, n2 = *c.n2;
  if (n1 < 1 || n2 < 1 || n1 != h.n1 || n2 != h.n2)
    need = true;
  else if (ends_moved(*c.ax1, n1, h.first1, h.last1, c.tol) ||
           ends_moved(*c.ax2, n2, h.first2, h.last2, c.tol))
    need = true;
  if (c.q != nullptr) say("q old", h.q, "  new", s.qpl);
  say(c.axis1, " old", h.n1, h.first1, h.last1, "  new", n1, axis_first(*c.ax1, n1),
      axis_last(*c.ax1, n1));
  say(c.axis2, " old", h.n2, h.first2, h.last2, "  new", n2, axis_first(*c.ax2, n2),
      axis_last(*c.ax2, n2));
  say(need_label(c), need);

  int tweak = c.heldtweakdefault ? h.ntweak : s.ntweak;
  inqi("Parameters to tweak", tweak, tweak);
  s.ntweak = std::clamp(tweak, 0, maxtweak);
  if (s.ntweak != h.ntweak) need = true;
  say(need_label(c), need);
  return need;
}

void stow(const Cache& c) {
  ProgramState& s = state();
  MapHold& h = *c.hold;
  if (!h.written) {
    *c.need = true;
    h.written = true;
  }
  h.ntweak = s.ntweak;
  h.n1 = *c.n1;
  h.n2 = *c.n2;
  h.first1 = axis_first(*c.ax1, h.n1);
  h.last1 = axis_last(*c.ax1, h.n1);
  h.first2 = axis_first(*c.ax2, h.n2);
  h.last2 = axis_last(*c.ax2, h.n2);
  if (c.q != nullptr) h.q = s.qpl;
}

void copy_axis(const Vec1<float>& from, int n, Vec1<float>& to) {
  to.resize(n);
  for (int i = 1; i <= n; ++i) to(i) = from(i);
}

}  // namespace

bool checkcxy() {
  return check(cache_xy(state()));
}
bool checkcua() {
  return check(cache_ua(state()));
}
bool checkctf() {
  return check(cache_tf(state()));
}
bool checkcfq() {
  return check(cache_fq(state()));
}

void stowcxy() {
  ProgramState& s = state();
  stow(cache_xy(s));
  say("* stowcxy ntweak", s.ntweak, " nx,ny", s.nxp, s.nyp);
}
void stowcua() {
  stow(cache_ua(state()));
}
void stowctf() {
  stow(cache_tf(state()));
}
void stowcfq() {
  stow(cache_fq(state()));
}

bool useoldmap(std::string_view opt) {
  const std::string o = upcase(trimmed(opt));
  Cache c{};
  if (!find_cache(o, c)) return false;
  return !check(c);
}

void stowgrid(std::string_view opt) {
  ProgramState& s = state();
  const std::string o = upcase(trimmed(opt));
  Cache c{};
  if (!find_cache(o, c)) {
    diag("** invalid stowgrid(", o, ") ??? :-(");
    return;
  }
  say("stowgrid( ", o, " ) ***********");
  showgrid(o);
  const int n1 = s.n_1, n2 = s.n_2;
  *c.n1 = n1;
  *c.n2 = n2;
  copy_axis(s.par_1, n1, *c.ax1);
  copy_axis(s.par_2, n2, *c.ax2);
  c.map->resize(n1, n2);
  float* map = c.map->data();
  for (int p = 1; p <= n1 * n2; ++p) map[p - 1] = s.chi2_12(p);
  if (o == "XY")
    stowcxy();
  else if (o == "UA")
    stowcua();
  else if (o == "TF")
    stowctf();
  else
    stowcfq();
  *c.need = false;
  if (c.q != nullptr) *c.q = s.qmap;
  *c.nfit = s.mapfit;
  *c.ntweak = s.maptweak;
  *c.ndof = s.mapdof;
  *c.chi2 = s.chi2ref;
  *c.cpu = s.cpumap;
  ++s.nstowgrid;
}

void fetchgrid(std::string_view opt) {
  ProgramState& s = state();
  const std::string o = upcase(trimmed(opt));
  Cache c{};
  if (!find_cache(o, c)) {
    diag("** invalid fetchgrid(", o, ") ??? :-(");
    return;
  }
  say("fetchgrid( ", o, " ) ***********");
  const int n1 = *c.n1, n2 = *c.n2;
  // The grid builders rewrite the kind's axes; a cache stored on another grid
  // (or never stored) cannot be read on this one.
  if (c.map->ni() != n1 || c.map->nj() != n2 || c.ax1->size() < n1 || c.ax2->size() < n2) {
    diag("** ERROR fetchgrid( ", o, " ): no stored map on the", n1, " x", n2, " grid :((((");
    return;
  }
  s.n_1 = n1;
  s.n_2 = n2;
  copy_axis(*c.ax1, n1, s.par_1);
  copy_axis(*c.ax2, n2, s.par_2);
  s.chi2_12.resize(n1 * n2);
  const float* map = c.map->data();
  for (int p = 1; p <= n1 * n2; ++p) s.chi2_12(p) = map[p - 1];
  if (c.q != nullptr) s.qmap = *c.q;
  s.mapfit = *c.nfit;
  s.maptweak = *c.ntweak;
  s.mapdof = *c.ndof;
  s.chi2ref = *c.chi2;
  s.cpumap = *c.cpu;
  showgrid(o);
}

}  // namespace zolka
