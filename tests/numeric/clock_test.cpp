#include "numeric/clock.h"

#include <gtest/gtest.h>

#include <ctime>

#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

// Spends processor time until the C library's clock has advanced by at least
// the given seconds.
void burn_cpu(double seconds) {
  const std::clock_t start = std::clock();
  volatile double sink = 0;
  while (double(std::clock() - start) / CLOCKS_PER_SEC < seconds) sink = sink + 1;
}

TEST(Cpu, FirstReadingIsZeroThenTheProcessorTimeBetweenCalls) {
  test::fresh_state();
  ASSERT_EQ(state().cpulast, -1.0f);
  EXPECT_EQ(cpu(), 0.0f);
  EXPECT_GE(state().cpulast, 0.0f) << "the reading is kept in the state";

  burn_cpu(0.05);
  const float used = cpu();
  EXPECT_GE(used, 0.04f);
  EXPECT_LT(used, 10.0f);
}

}  // namespace
}  // namespace zolka
