// Saving and restoring model parameters while an analysis tries values out.
//
// The stow stack holds whole parameter sets (hjd0, t0, te, y0, b0, sigmag0,
// erbscl, xpl, ypl, qpl and per site fs_l, fb_l, sigmag0_l, erbscl_l,
// syserr_l), up to maxstow of them; every stowall is paired with one
// restoreall. The single save slots keep the first n lens parameters (savepar)
// and the planet (saveplanet); each save overwrites the slot.
#pragma once

namespace zolka {

// Pushes the current parameter set. The push that fills the last slot warns
// "** WARNING stowall stack is full."; a push beyond it prints
// "** ERROR stowall stack overflow." and stops the program (die).
void stowall();
// Pops the top parameter set into the model (slot max(is, 1): a pop from an
// empty stack restores slot 1 again and leaves the stack empty), then brings
// the derived site quantities and the planet coordinates up to date. When
// nothing has ever been stowed it warns and leaves the model unchanged.
void restoreall();

// Saves the first n of smag0, t0 (with hjd0), te, y0, b0, sigmag0, erbscl,
// xpl, ypl, qpl; n <= 0 saves nothing.
void savepar(int n);
// Restores the first n of the same list (n < 1 restores nothing), through the
// current site: setsite(loc), restore, stowsite(loc), then the planet's
// coordinate pairs (from the restored x, y when n >= 8) and plpos.
void restorepar(int n);

// Saves qpl, xpl, ypl.
void saveplanet();
// Restores qpl, xpl, ypl and recomputes the planet's coordinate pairs.
void restoreplanet();
// Removes the planet: saves it (saveplanet), then qpl = xpl = ypl = 0.
void noplanet();

}  // namespace zolka
