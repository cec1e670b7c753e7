// zolka: fit lens models to microlensing light curves and assess where planets
// of the lens star would have been detected. Started without arguments; the
// command loop reads one-letter commands from standard input.
#include "shell/command_loop.h"

int main() {
  return zolka::run_program();
}
