// Rounding a value to a step, in 32-bit arithmetic. nint rounds to the nearest
// integer with halves away from zero. A step s <= 0 leaves x unchanged.
#pragma once

namespace zolka {

// Nearest integer, halves away from zero: nint(2.5) = 3, nint(-2.5) = -3.
// Values beyond the int range give an unspecified result.
int nint(float v);
int nint(double v);

// x = s nint(x/s): the nearest multiple of s.
void roundoff(float& x, float s);

// x = s nint(x/s + 0.5). This is not a ceiling: an exact positive multiple
// moves one step up (2.0 with s = 1 gives 3.0), while an exact negative one
// stays (-2.0 gives -2.0), because the half lands on the away-from-zero side.
void roundup(float& x, float s);

// The same computation as roundup, x = s nint(x/s + 0.5): it rounds upward,
// not downward (rounddown(2.2, 1) gives 3). The light-curve plot's time axis is
// laid out with exactly this result, both limits moving to the next step above,
// so it is kept as it is.
void rounddown(float& x, float s);

}  // namespace zolka
