#include "numeric/rounding.h"

#include <gtest/gtest.h>

#include <string>

namespace zolka {
namespace {

TEST(Nint, HalvesAwayFromZero) {
  struct Case {
    float v;
    int n;
  };
  const Case cases[] = {{2.5f, 3},  {-2.5f, -3},  {0.5f, 1}, {-0.5f, -1},
                        {1.49f, 1}, {-1.49f, -1}, {0.0f, 0}, {1e6f + 0.5f, 1000001}};
  for (const Case& c : cases) {
    EXPECT_EQ(nint(c.v), c.n) << "nint(" << c.v << ")";
    EXPECT_EQ(nint(static_cast<double>(c.v)), c.n) << "nint(double " << c.v << ")";
  }
}

enum class Rounder { off, up, down };

struct RoundCase {
  Rounder how;
  float x, s, result;
};

std::string describe(const RoundCase& c) {
  const char* name = c.how == Rounder::off  ? "roundoff"
                     : c.how == Rounder::up ? "roundup"
                                            : "rounddown";
  return std::string(name) + "(" + std::to_string(c.x) + ", " + std::to_string(c.s) + ")";
}

TEST(Rounding, ToAStep) {
  const RoundCase cases[] = {
      {Rounder::off, 2.5f, 1, 3},
      {Rounder::off, -2.5f, 1, -3},
      {Rounder::off, 2.2f, 1, 2},
      {Rounder::off, 0.26f, 0.1f, 0.3f},
      {Rounder::off, -1.04f, 0.1f, -1.0f},
      {Rounder::up, 2.2f, 1, 3},
      {Rounder::up, 2.0f, 1, 3},    // an exact positive multiple moves one step up
      {Rounder::up, -2.0f, 1, -2},  // an exact negative multiple stays
      {Rounder::up, -2.2f, 1, -2},
      {Rounder::up, 12.34f, 0.1f, 12.4f},
      // rounddown computes exactly what roundup does.
      {Rounder::down, 2.2f, 1, 3},
      {Rounder::down, 2.0f, 1, 3},
      {Rounder::down, -2.0f, 1, -2},
      {Rounder::down, -2.7f, 1, -2},
      {Rounder::down, 12.34f, 0.1f, 12.4f},
      // A step that is not positive leaves the value alone.
      {Rounder::off, 2.2f, 0, 2.2f},
      {Rounder::up, 2.2f, -1, 2.2f},
      {Rounder::down, 2.2f, 0, 2.2f},
  };
  for (const RoundCase& c : cases) {
    float x = c.x;
    switch (c.how) {
      case Rounder::off:
        roundoff(x, c.s);
        break;
      case Rounder::up:
        roundup(x, c.s);
        break;
      case Rounder::down:
        rounddown(x, c.s);
        break;
    }
    EXPECT_FLOAT_EQ(x, c.result) << describe(c);
  }
}

}  // namespace
}  // namespace zolka
