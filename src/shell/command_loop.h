// The main program's command loop: banner, start-up, menu, and one handler per
// command letter.
#pragma once

#include <string>

namespace zolka {

// Runs the whole program: banner, initzolka, the menu loop. Returns the exit
// status: 0 after "Q" is confirmed or at end of input, non-zero after a fatal
// stop.
int run_program();

// Start-up of the state: constants, initparms, needs, white background, the
// sites' default plot symbols and colours, and the hook that closes an open
// plot at the end of the run.
void initzolka();

// The banner printed at start-up.
void banner();

// Prints the menu (refreshing the badness of fit when data are loaded).
void menu();

// Decides what a reply to "ZOLKA> " does and runs it. Returns true when the
// menu is to be shown next, false when the prompt is asked again directly.
// Throws QuitProgram when the user confirms "Q".
bool dispatch(const std::string& reply);

struct QuitProgram {};

}  // namespace zolka
