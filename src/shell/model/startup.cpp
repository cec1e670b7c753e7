#include "shell/model/startup.h"

#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "shell/core/state.h"

namespace zolka {

void initparms() {
  ProgramState& s = state();
  s.smag0 = 0;
  s.hjd0 = 0;
  s.mjd0 = 0;
  s.te = 1;
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  s.y0 = 0.35f;
  s.a0 = atotl(s.y0);
  s.qpl = 0.001f;
  // The start position places the planet far away, where it has no effect.
  s.xpl = 10000;
  s.ypl = -10000;
  s.plpos = "XY";
  setplxy(s.xpl, s.ypl);
  s.erbscl = 1;
  s.sigmag0 = 0;
  s.ksky = 0;
  s.syserr = 0.002f;
  s.ksee = 0;
  s.skytop = 100000;
  s.seebot = 0;
  s.cliplo = -1000;
  s.cliphi = 1000;
  s.seetop = 100;
  s.siglogf = 0.1f;
  s.skybot = 0;
  s.avglogte = 1.33f;
  s.avglogf = 0;
  s.siglogte = 0.40620193f;
  s.sigloga0 = 0.77579516f;
  s.cenb = 0;
  s.sigbpos = 100;
  s.sigbneg = 0.01f;
  s.b0 = 0;
  s.addmag = 0;
  s.delchi2 = 100;
  s.npfit = 0;
  s.fixb0 = false;
}

void needs() {
  ProgramState& s = state();
  s.needcxy = true;
  s.needcua = true;
}

void initstate() {
  ProgramState& s = state();
  s.datfile.clear();
  s.parfile.clear();
  s.ndata = 0;
  s.nloc = 0;
  s.tbeg = 0;
  s.tend = 0;
  initparms();
  needs();
  s.whitebackground = true;
}

void reset_state() {
  state() = ProgramState{};
  ProgramState& s = state();
  s.version = "2011-Jun-22";
  s.timezone = 1;
  s.mutefit0 = 1;
  s.muteamoeba = 1;
  s.muteamoebaplot = 1;
  initstate();
}

}  // namespace zolka
