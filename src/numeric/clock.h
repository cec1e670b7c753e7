// The processor-time stopwatch of the long calculations.
#pragma once

namespace zolka {

// Processor seconds used by the program since the previous call; 0 on the
// first call. The previous reading is kept in state().cpulast (-1 before the
// first reading), so all callers share one stopwatch and nested timings
// disturb each other.
float cpu();

}  // namespace zolka
