// The one program state. Every program-wide variable lives here, grouped by
// role in the structs of state/; each field's comment gives its meaning, unit
// and index kind. Routines reach it through state(); a test resets everything
// with reset_state() (or state() = ProgramState{} and the start-up values).
#pragma once

#include <functional>

#include "shell/core/constants.h"
#include "shell/core/state/fit.h"
#include "shell/core/state/graphics.h"
#include "shell/core/state/images.h"
#include "shell/core/state/maps.h"
#include "shell/core/state/model.h"
#include "shell/core/state/planet.h"
#include "shell/core/state/plot.h"
#include "shell/core/state/run.h"
#include "shell/core/state/settings.h"
#include "shell/core/state/simplex.h"
#include "shell/core/state/sites.h"
#include "shell/core/state/stacks.h"
#include "shell/core/state/store.h"

namespace zolka {

// Drawings that a computation triggers are registered here by the graphics
// code at start-up, so computation never includes graphics.
struct Hooks {
  std::function<void()> amoebaplot;  // simplex progress plot after a fit
  std::function<void()> closeplot;   // closes an open plot device (end of run, fatal stop)
};

struct ProgramState : RunState,
                      ModelState,
                      PlanetState,
                      SettingsState,
                      StoreState,
                      SiteTable,
                      FitState,
                      MapState,
                      PlotState,
                      GraphicsState,
                      ImageList,
                      StackState,
                      SimplexState,
                      Hooks {};

// The program's state, created on first use.
ProgramState& state();

}  // namespace zolka
