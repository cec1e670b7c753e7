// Simulated events with a planet of the lens star, put straight into the
// store, for the tests of the fits and maps with a planet.
#pragma once

#include <string>

#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"
#include "sim/store_event.h"

namespace zolka::test {

// Three sites on an event with a q = 0.01 planet at (1, y): at y = 0.95 it
// sits about three of its Einstein radii (0.1) beside the major image's track,
// at y = -0.3 beside the minor image's, so that its anomaly is a smooth bump
// of a few per cent lasting days, which the simplex can follow.
inline sim::SimEvent planet_event(float y) {
  sim::SimEvent ev;
  ev.event = "OB08456";
  ev.t0 = 4600.2;
  ev.te = 25;
  ev.u0 = 0.15f;
  ev.q = 0.01f;
  ev.xp = 1.0f;
  ev.yp = y;
  ev.seed = 11;
  ev.sites = {{'O', 500, 18.5f, 0.2f, 'I', 1.0f},
              {'Z', 400, 18.5f, 0.1f, 'I', 1.0f},
              {'W', 300, 18.5f, 0.0f, 'I', 1.0f}};
  return ev;
}

// The example event ob08456: a q = 0.005 planet on the major image at
// t0 + 0.5 te, bright sites with small errors, so that the anomaly is sharp
// and deep.
inline sim::SimEvent sharp_event() {
  sim::SimEvent ev = planet_event(0.3720f);
  ev.q = 0.005f;
  ev.xp = 1.2399f;
  ev.sites = {{'O', 500, 17.4f, 0.2f, 'I', 1.0f},
              {'Z', 400, 17.1f, 0.1f, 'I', 1.0f},
              {'W', 300, 17.3f, 0.0f, 'I', 1.0f}};
  return ev;
}

// A fresh state whose store holds the event and whose model is its point
// lens with the planet (q, x, y) held in the representation plpos; npfit = 5.
inline void load_planet_event(const sim::SimEvent& ev, float q, float x, float y,
                              const std::string& plpos) {
  reset_state();
  sim::store_event(ev);
  ProgramState& s = state();
  s.hjd0 = 2450000 + ev.t0;
  s.te = ev.te;
  s.y0 = ev.u0;
  s.a0 = atotl(s.y0);
  s.qpl = q;
  setplxy(x, y);
  s.plpos = plpos;
  s.npfit = 5;
}

}  // namespace zolka::test
