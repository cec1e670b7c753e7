// Start-up installs the sites' plot styles and the hook that closes an open
// plot, so a plot file is completed however the run ends.
#include <gtest/gtest.h>

#include "graphics/pgplot.h"
#include "shell/command_loop.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

TEST(InitZolka, SiteStylesAndThePlotClosingHook) {
  test::fresh_state();
  state().closeplot = nullptr;
  initzolka();
  EXPECT_EQ(state().isymb_l(1), 17);
  EXPECT_EQ(state().kolor_l(12), 11);
  ASSERT_TRUE(state().closeplot);

  test::TempDir dir;
  const std::string file = dir.file("open.ps");
  ASSERT_EQ(pgbegin(0, "\"" + file + "\"/CPS", 1, 1), 1);
  pgenv(0, 1, 0, 1, 0, 0);
  state().closeplot();
  EXPECT_FALSE(pgqopen());
  const std::string ps = dir.read("open.ps");
  EXPECT_EQ(ps.rfind("%!PS", 0), 0u);
  EXPECT_NE(ps.find("%%EOF"), std::string::npos);
}

}  // namespace
}  // namespace zolka
