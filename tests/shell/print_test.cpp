// Diagnostics and the fatal stop.
#include "shell/core/print.h"

#include <gtest/gtest.h>

#include "support/support.h"

namespace zolka {
namespace {

TEST(Print, DiePrintsItsMessageAndStops) {
  test::CapturedConsole con;
  EXPECT_THROW(die(), FatalStop);
  EXPECT_EQ(con.output(), " FATAL ERROR :((((\n");
}

TEST(Print, DiagnosticsAreFreeFormatLines) {
  test::CapturedConsole con;
  diag("** INVALID SITE setsite(", 7, " )", 1, 2, 50);
  EXPECT_EQ(con.output(), " ** INVALID SITE setsite( 7 ) 1 2 50\n");
}

}  // namespace
}  // namespace zolka
