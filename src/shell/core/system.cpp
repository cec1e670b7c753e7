#include "shell/core/system.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/core/console.h"
#include "shell/core/text.h"

namespace zolka {

void shell_command(std::string_view command) {
  // Our own buffered output must reach the terminal before the shell's.
  console::flush();
  std::fflush(stdout);
  const std::string cmd(command);
  const int rc = std::system(cmd.c_str());
  (void)rc;  // a failing command reports through the shell's own output
}

std::string shell_quote(std::string_view text) {
  std::string q = "'";
  for (const char c : text) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  q += '\'';
  return q;
}

void spawn(std::string_view command) {
  console::line(" call system( " + std::string(trimmed(command)) + " ) ");
  shell_command(trimmed(command));
}

}  // namespace zolka
