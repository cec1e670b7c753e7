// Quoting texts for the shell.
#include "shell/core/system.h"

#include <gtest/gtest.h>

namespace zolka {
namespace {

TEST(System, ShellQuoteMakesOneInertWord) {
  EXPECT_EQ(shell_quote("a b"), "'a b'");
  EXPECT_EQ(shell_quote("it's"), "'it'\\''s'");
  EXPECT_EQ(shell_quote("$(rm -rf x);`y`"), "'$(rm -rf x);`y`'");
}

}  // namespace
}  // namespace zolka
