#include "numeric/clock.h"

#include <time.h>

#include "shell/core/state.h"

namespace zolka {

float cpu() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  const float now = static_cast<float>(static_cast<double>(ts.tv_sec) + 1e-9 * ts.tv_nsec);
  float& last = state().cpulast;
  const float used = last < 0 ? 0.0f : now - last;
  last = now;
  return used;
}

}  // namespace zolka
