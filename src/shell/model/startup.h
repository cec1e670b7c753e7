// Start-up values of the program state.
#pragma once

namespace zolka {

// Sets the model, planet, correction, prior and fit-control start values.
void initparms();
// Marks the x,y and u,a maps as out of date; called after every command that
// can change the model or the data.
void needs();
// Start-up of the state without the plot styles: data and file names emptied,
// initparms, needs, white background. The command loop's initzolka adds the
// sites' plot symbols and colours.
void initstate();
// Empties the whole state and sets the start values (tests use it).
void reset_state();

}  // namespace zolka
