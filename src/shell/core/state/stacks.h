// Parameter stacks: the stow stack of whole parameter sets and the two single
// save slots.
#pragma once

#include <array>
#include <vector>

#include "shell/core/array1.h"

namespace zolka {

constexpr int maxstow = 1000;  // slots of the stow stack
constexpr int stowvals = 500;  // 32-bit values per stow slot

struct StowSlot {
  double hjd0 = 0;  // HJD
  int nloc = 0;     // sites stowed in the slot
  std::array<float, stowvals>
      val{};  // t0, te, y0, b0, sigmag0, erbscl, xpl, ypl, qpl, then 5 per site
};

struct StackState {
  int is = 0;                  // stow slots in use
  std::vector<StowSlot> stow;  // slots 1 .. is live in stow[0 .. is-1]; grown on demand
  // Save slot of savepar: smag0, t0 (with hjd0), te, y0, b0, sigmag0, erbscl, xpl, ypl, qpl.
  std::array<float, 10> savedpar{};
  double savedhjd0 = 0;
  // Save slot of saveplanet: qpl, xpl, ypl.
  std::array<float, 3> savedplanet{};
};

}  // namespace zolka
