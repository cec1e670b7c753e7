// Printing lines and diagnostics, and the fatal stop.
//
// say() prints a free-format line (one blank column, texts as they stand,
// numbers after one blank). diag() prints a diagnostic the same way; every
// "** WARNING", "** ERROR" and "** INVALID" line goes through it. die() and
// stop() end the program: they print their message and throw FatalStop, which
// the main program turns into closing the plot device and files and a non-zero
// exit status.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "shell/core/console.h"
#include "shell/core/format.h"

namespace zolka {

struct FatalStop : std::runtime_error {
  explicit FatalStop(const std::string& what) : std::runtime_error(what) {}
};

template <class... A>
void say(const A&... items) {
  console::line(freeline(items...));
}

template <class... A>
void diag(const A&... items) {
  console::line(freeline(items...));
}

// Prints "FATAL ERROR :((((" and stops with an error status.
[[noreturn]] void die();
// Prints a free-format message line and stops with an error status.
template <class... A>
[[noreturn]] void stop(const A&... items) {
  const std::string msg = freeline(items...);
  console::line(msg);
  console::flush();
  throw FatalStop(msg);
}

}  // namespace zolka
