// The binary lens: a star with one planet, point source.
//
// Frame of the arguments: the star at the origin, Einstein radii of the total
// mass, the same frame as the point lens. Internally lens2 works in the binary
// frame: origin midway between the masses, real axis from the star towards the
// planet, star of mass m1 = 1/(1+q) at z1 = -d/2, planet of mass m2 = q/(1+q)
// at z2 = +d/2. A source at zeta has its images at the roots z of
//   zeta = z - m1/(conj(z) - z1) - m2/(conj(z) - z2),
// which conjugated and cleared of fractions is a complex polynomial of degree
// five (Witt 1990): three or five of its roots are images, the others spurious.
// The roots come from Laguerre's method with deflation and a polishing pass
// (Press et al. 1992, Numerical Recipes, ch. 9.5).
#pragma once

#include <complex>

namespace zolka {

using cplx = std::complex<double>;

// Magnification a of a source at (xs, ys) by the star at the origin and a
// planet of mass ratio q at (xp, yp); requires (xp, yp) != (0, 0). Writes the
// kept images to the image list in root order (positions in the argument
// frame, unsigned magnifications, lens-equation residuals). The images are
// the three roots of smallest residual, or all five when the two others also
// solve the lens equation to 1e-4 and lie within four orders of magnitude of
// the third's residual (or below 1e-9). a >= 1 always (a total that is
// not a number gives 1). Diagnostics for a zero leading coefficient, a total
// below 0.99 and an image count other than 3 or 5 are printed and the result
// stands; a Laguerre search that does not converge stops the program.
void lens2(float xs, float ys, float xp, float yp, float q, float& a);

// All m roots (m <= 100) of the polynomial coef(1) + coef(2) z + ... +
// coef(m+1) z^m, in the order found (coef points at coef(1), roots at
// roots(1)). Each root is found from 0 on the deflated polynomial; with
// polish set each is then refined on the full polynomial.
void dzroots(const cplx* coef, int m, cplx* roots, bool polish);

// Improves the root estimate x of the degree-m polynomial coef(1..m+1) in
// place by Laguerre's method, to relative step eps (polish off) or until the
// steps stop shrinking (polish on). Stops the program with "LAGUER too many
// iterations" after 100 iterations without convergence.
void dlaguer(const cplx* coef, int m, cplx& x, double eps, bool polish);

}  // namespace zolka
