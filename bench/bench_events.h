// The simulated event the benchmarks run on.
#pragma once

#include "fit/guess.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"
#include "sim/store_event.h"

namespace zolka::bench {

// A three-site event of about n points (survey 60%, follow-up 25%, second
// survey 15%), loaded and guessed, without a planet; npfit = 5.
inline void event(int n) {
  reset_state();
  sim::SimEvent ev;
  ev.t0 = 4567.8;
  ev.te = 25;
  ev.u0 = 0.1f;
  ev.seed = 11;
  ev.sites = {{'O', n * 6 / 10, 17.2f, 0.3f, 'I', 1.0f},
              {'Z', n / 4, 17.0f, 0.1f, 'I', 1.0f},
              {'K', n - n * 6 / 10 - n / 4, 17.8f, 0.5f, 'R', 1.3f}};
  sim::store_event(ev);
  state().qpl = 0;
  guesslens();
  state().npfit = 5;
}

}  // namespace zolka::bench
