// A simulated event put straight into the light-curve store, without files:
// for benchmarks and tests of the fitting code.
#pragma once

#include "sim/simulate.h"

namespace zolka::sim {

// Replaces the store and the site table by the simulated points of ev, one
// site per SimSite in order (named after its scope letter), then normalises
// the times and forms the fluxes as a load does. The sites start neutral:
// fs_l = 1, fb_l = 0, unit error-bar scale, no baseline noise, the current
// systematic error. The event's columns decide whether seeing and sky are set
// (-1 otherwise). Prints what the time normalisation prints.
void store_event(const SimEvent& ev);

}  // namespace zolka::sim
