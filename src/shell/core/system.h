// Handing command lines to the operating-system shell.
#pragma once

#include <string>
#include <string_view>

namespace zolka {

// Prints "call system( <command> ) " and runs the command through the shell,
// waiting for it; the shell's own output goes straight to the terminal.
void spawn(std::string_view command);
// Runs a command through the shell without the echo line (the menu's "date").
void shell_command(std::string_view command);
// Quotes a text as one shell word: inside single quotes, each embedded single
// quote written as '\''. File names go into command lines this way, so a name
// holding blanks, quotes, ";" or "$(...)" runs nothing.
std::string shell_quote(std::string_view text);

}  // namespace zolka
