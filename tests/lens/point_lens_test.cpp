// The point-source point-lens model against its closed forms: the
// magnification A(u) = (u^2 + 2)/(u sqrt(u^2 + 4)) (Paczynski 1986) evaluated
// in double precision, the lens equation beta = theta - 1/theta that every
// image must satisfy, and derivatives checked by central differences.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

constexpr float feps = std::numeric_limits<float>::epsilon();

double adouble(double u) {
  return (u * u + 2) / (std::fabs(u) * std::sqrt(u * u + 4));
}

// Agreement to a few float rounding steps.
void expect_float_near(double got, double want, double ulps = 8) {
  EXPECT_NEAR(got, want, ulps * feps * std::fabs(want)) << "want " << want;
}

TEST(PointLens, MagnificationMatchesTheClosedForm) {
  // Both branches meet at A(1) = 3/sqrt(5).
  expect_float_near(atotl(1.0f), 3 / std::sqrt(5.0));
  expect_float_near(atotl(std::nextafter(1.0f, 2.0f)), 3 / std::sqrt(5.0));
  expect_float_near(atotl(0.1f), 10.037461, 8);
  for (const float u : {1e-3f, 0.05f, 0.3f, 0.999f, 1.001f, 2.0f, 7.5f, 50.0f}) {
    SCOPED_TRACE(u);
    expect_float_near(atotl(u), adouble(u));
    // Negative u takes the other branch: the same function of u^2.
    expect_float_near(atotl(-u), atotl(u), 2);
    EXPECT_GE(atotl(u), 1.0f);
  }
}

TEST(PointLens, InverseAndHalfWidth) {
  for (const float u : {0.01f, 0.03f, 0.1f, 0.35f, 1.0f, 2.0f, 5.0f, 10.0f}) {
    SCOPED_TRACE(u);
    // The inverse loses digits as A -> 1 (large u): dA/du ~ 8/u^5 there.
    const double tol = u < 3 ? 50 * feps * u : 2e-3 * u;
    EXPECT_NEAR(ainv(atotl(u)), u, tol);
    // thalf is the time (in te) at which A has fallen half way to 1.
    const float a0 = atotl(u);
    const double w = thalf_u0(u);
    EXPECT_NEAR(adouble(std::sqrt(w * w + double(u) * u)), (a0 + 1.0) / 2, 1e-4 * a0);
    EXPECT_NEAR(thalf(a0), w, 1e-4 * w + 1e-6);
  }
  EXPECT_EQ(ainv(0.999f), -1.0f);
  EXPECT_TRUE(std::isinf(ainv(1.0f)));
  EXPECT_EQ(thalf(0.5f), -1.0f);
  EXPECT_EQ(thalf_u0(0.0f), 0.0f);
}

TEST(PointLens, ImagesSatisfyTheLensEquation) {
  for (const float u : {0.01f, 0.5f, 1.0f, 3.0f}) {
    SCOPED_TRACE(u);
    const double tp = uplus(u);
    const double tm = uminus(u);
    EXPECT_GT(tp, 0);
    EXPECT_LT(tm, 0);
    EXPECT_NEAR(tp - 1 / tp, u, 1e-5 * (1 + u));
    EXPECT_NEAR(tm - 1 / tm, u, 1e-5 * (1 + u));
    // A = |1 - theta^-4|^-1 per image; the pair sums to A and differs by 1.
    EXPECT_NEAR(aplus(u), 1 / std::fabs(1 - std::pow(tp, -4)), 1e-5 * aplus(u));
    EXPECT_NEAR(aminus(u), 1 / std::fabs(1 - std::pow(tm, -4)), 1e-4 * aplus(u));
    expect_float_near(aplus(u) + aminus(u), adouble(u), 16);
    EXPECT_NEAR(aplus(u) - aminus(u), 1.0, 1e-5 * aplus(u));
  }
}

TEST(PointLens, Lens1FillsTheImageList) {
  test::fresh_state();
  ProgramState& s = state();
  float a = 0;
  lens1(0.3f, 0.4f, a);
  // u = 0.5: theta+ = 0.25 + sqrt(1.0625) = 1.280776, theta- = -0.780776.
  EXPECT_EQ(s.nimage, 2);
  EXPECT_NEAR(s.x_i(1), 0.6 * 1.2807764, 1e-6);
  EXPECT_NEAR(s.y_i(1), 0.8 * 1.2807764, 1e-6);
  EXPECT_NEAR(s.x_i(2), -0.6 * 0.7807764, 1e-6);
  EXPECT_NEAR(s.y_i(2), -0.8 * 0.7807764, 1e-6);
  EXPECT_NEAR(s.a_i(1), 1.59141, 1e-5);
  EXPECT_NEAR(s.a_i(2), 0.59141, 1e-5);
  expect_float_near(a, adouble(0.5));
  EXPECT_EQ(a, s.a_i(1) + s.a_i(2));

  // A source on the lens gives a large finite magnification.
  lens1(0, 0, a);
  EXPECT_TRUE(std::isfinite(a));
  EXPECT_GT(a, 1e6f);
}

TEST(PointLens, DerivativeOfTheMagnification) {
  for (const float u : {0.02f, 0.3f, 1.0f, 4.0f}) {
    SCOPED_TRACE(u);
    const double h = 1e-6 * u;
    const double num = (adouble(u + h) - adouble(u - h)) / (2 * h);
    EXPECT_NEAR(dpspl(u), num, 1e-6 * std::fabs(num));
  }
}

TEST(PointLens, WholeLightCurve) {
  test::fresh_state();
  ProgramState& s = state();
  s.resize(4);
  s.ndata = 4;
  s.hjd0 = 2454500.5;
  s.te = 20;
  s.y0 = 0.1f;
  const double t[] = {2454480.5, 2454498.5, 2454500.5, 2454530.5};
  for (int i = 1; i <= 4; ++i) s.hjd_t(i) = t[i - 1];
  dpsplcalc();
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    const double tau = (t[i - 1] - s.hjd0) / s.te;
    const double y0 = s.y0;
    auto a_of = [](double tau, double y0) { return adouble(std::sqrt(tau * tau + y0 * y0)); };
    expect_float_near(s.a_t(i), a_of(tau, y0), 16);
    // dA/dhjd0 = -dA/dtau / te, dA/dte = -dA/dtau tau / te, by central differences.
    const double h = 1e-6;
    const double dadtau = (a_of(tau + h, y0) - a_of(tau - h, y0)) / (2 * h);
    const double dady0 = (a_of(tau, y0 + h) - a_of(tau, y0 - h)) / (2 * h);
    const double tol = 1e-4 * (std::fabs(dadtau) + 1e-3);
    EXPECT_NEAR(s.dpspl_dt0_t(i), -dadtau / s.te, tol / s.te);
    EXPECT_NEAR(s.dpspl_dte_t(i), -dadtau * tau / s.te, tol / s.te);
    EXPECT_NEAR(s.dpspl_dy0_t(i), dady0, 1e-4 * std::fabs(dady0) + 1e-6);
  }
  const Vec1<float> a_pair = s.a_t;
  psplcalc();
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(s.a_t(i), a_pair(i), 4 * feps * a_pair(i));

  // A point exactly at the peak of a y0 = 0 event: atotl(1e-10), large but finite.
  s.y0 = 0;
  psplcalc();
  EXPECT_TRUE(std::isfinite(s.a_t(3)));
  EXPECT_NEAR(s.a_t(3), 1e10, 1e4);
}

}  // namespace
}  // namespace zolka
