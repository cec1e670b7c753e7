// Constants at the values the program defines (32-bit where the program uses them so).
#pragma once

namespace zolka {

constexpr float pi = 3.1415927f;                // pi, 32-bit
constexpr float twopi = 6.2831855f;             // 2 pi, 32-bit
constexpr float sigmag_sigrelflx = 1.0857362f;  // 2.5/ln 10: relative flux error -> magnitude error

}  // namespace zolka
