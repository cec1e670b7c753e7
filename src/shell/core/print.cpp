#include "shell/core/print.h"

namespace zolka {

void die() {
  stop("FATAL ERROR :((((");
}

}  // namespace zolka
