#include "shell/core/state.h"

#include <memory>

namespace zolka {

ProgramState& state() {
  // Held on the heap: the image list and fixed arrays make the struct large.
  static const std::unique_ptr<ProgramState> s = std::make_unique<ProgramState>();
  return *s;
}

}  // namespace zolka
