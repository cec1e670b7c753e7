#include "shell/model/stacks.h"

#include <algorithm>

#include "lens/planet_geometry.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"

namespace zolka {

namespace {
constexpr int nlens = 9;     // lens and planet values at the head of a stow slot
constexpr int npersite = 5;  // values per site after them
static_assert(nlens + npersite * maxsite <= stowvals, "a stow slot holds every site");
}  // namespace

void stowall() {
  ProgramState& s = state();
  if (s.is < maxstow) {
    ++s.is;
    if (s.is == maxstow) diag("** WARNING stowall stack is full.", s.is, maxstow);
  } else {
    diag("** ERROR stowall stack overflow.", s.is, maxstow);
    die();
  }
  if (static_cast<int>(s.stow.size()) < s.is) s.stow.resize(s.is);
  StowSlot& slot = s.stow[s.is - 1];
  slot.hjd0 = s.hjd0;
  slot.nloc = s.nloc;
  float* v = slot.val.data();
  v[0] = s.t0;
  v[1] = s.te;
  v[2] = s.y0;
  v[3] = s.b0;
  v[4] = s.sigmag0;
  v[5] = s.erbscl;
  v[6] = s.xpl;
  v[7] = s.ypl;
  v[8] = s.qpl;
  for (int l = 1; l <= s.nloc; ++l) {
    float* w = v + nlens + npersite * (l - 1);
    w[0] = s.fs_l(l);
    w[1] = s.fb_l(l);
    w[2] = s.sigmag0_l(l);
    w[3] = s.erbscl_l(l);
    w[4] = s.syserr_l(l);
  }
}

void restoreall() {
  ProgramState& s = state();
  const int k = std::max(s.is, 1);
  if (static_cast<int>(s.stow.size()) < k) {
    // Every restoreall follows a stowall; restoring a slot never written would
    // put zeros into the model.
    diag("** WARNING restoreall: nothing stowed.", s.is);
    return;
  }
  const StowSlot& slot = s.stow[k - 1];
  const float* v = slot.val.data();
  s.hjd0 = slot.hjd0;
  s.t0 = v[0];
  s.te = v[1];
  s.y0 = v[2];
  s.b0 = v[3];
  s.sigmag0 = v[4];
  s.erbscl = v[5];
  s.xpl = v[6];
  s.ypl = v[7];
  s.qpl = v[8];
  // Sites loaded after the push keep their values.
  const int nsite = std::min(s.nloc, slot.nloc);
  for (int l = 1; l <= nsite; ++l) {
    const float* w = v + nlens + npersite * (l - 1);
    s.fs_l(l) = w[0];
    s.fb_l(l) = w[1];
    s.sigmag0_l(l) = w[2];
    s.erbscl_l(l) = w[3];
    s.syserr_l(l) = w[4];
  }
  subsidiaries();
  setplxy(s.xpl, s.ypl);
  s.is = k - 1;
}

namespace {
// Entry k = 1 .. 10 of the save slot's list: smag0, t0, te, y0, b0, sigmag0,
// erbscl, xpl, ypl, qpl (entry 2 carries hjd0 along).
float& parentry(ProgramState& s, int k) {
  float* const entries[] = {&s.smag0,   &s.t0,     &s.te,  &s.y0,  &s.b0,
                            &s.sigmag0, &s.erbscl, &s.xpl, &s.ypl, &s.qpl};
  return *entries[k - 1];
}
}  // namespace

void savepar(int n) {
  ProgramState& s = state();
  const int m = std::min(n, 10);
  for (int k = 1; k <= m; ++k) s.savedpar[k - 1] = parentry(s, k);
  if (m >= 2) s.savedhjd0 = s.hjd0;
}

void restorepar(int n) {
  if (n < 1) return;
  ProgramState& s = state();
  setsite(s.loc);
  const int m = std::min(n, 10);
  for (int k = 1; k <= m; ++k) parentry(s, k) = s.savedpar[k - 1];
  if (m >= 2) s.hjd0 = s.savedhjd0;
  stowsite(s.loc);
  // A restored planet position is the x, y pair; the other pairs follow it
  // before the primary pair is re-derived, or a fit that varied u, a or t, f
  // would put its last trial position back instead.
  if (m >= 8) setplxy(s.xpl, s.ypl);
  setplpos();
}

void saveplanet() {
  ProgramState& s = state();
  s.savedplanet = {s.qpl, s.xpl, s.ypl};
}

void restoreplanet() {
  ProgramState& s = state();
  s.qpl = s.savedplanet[0];
  s.xpl = s.savedplanet[1];
  s.ypl = s.savedplanet[2];
  setplxy(s.xpl, s.ypl);
  setplpos();
}

void noplanet() {
  ProgramState& s = state();
  saveplanet();
  s.qpl = 0;
  s.xpl = 0;
  s.ypl = 0;
  setplxy(0, 0);
}

}  // namespace zolka
