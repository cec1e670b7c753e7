#include "detect/chi2map.h"

namespace zolka {

void chi2map(std::string_view) {}

void cmapsummary(int) {}

}  // namespace zolka
