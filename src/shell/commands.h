// One small function per command of the main menu.
#pragma once

#include <string>

namespace zolka {

// A reply to the main prompt.
struct Reply {
  std::string raw;   // as typed
  std::string up;    // upper-cased
  std::string word;  // first word as typed
};

void run_spawn(const Reply& r);     // "$": the rest of the reply to the shell
void run_mute(const Reply& r);      // "MUTE": the mute sub-menu
void run_quit(const Reply& r);      // "Q": confirmation, then QuitProgram
void run_timezone(const Reply& r);  // "TZ": the time-zone dialogue
void run_edit(const Reply& r);      // "E": parameter editor
void run_times(const Reply& r);     // "T": time-window editor
void run_data(const Reply& r);      // "D": load light curves
void run_fit(const Reply& r);       // "F": fit, then the covariances and the parameters
void run_plot(const Reply& r);      // plot letters, "B": the plot menu with the whole reply

}  // namespace zolka
