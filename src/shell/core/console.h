// The console: the program's standard input and output. Every line the program
// prints and every reply it reads goes through here; tests replace the streams.
//
// End of input at any prompt ends the program in order: read_line() throws
// EndOfInput, which the main program turns into a one-line message and exit
// status 0.
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zolka {

struct EndOfInput : std::runtime_error {
  EndOfInput() : std::runtime_error("end of input") {}
};

namespace console {

// Replace the streams (tests); nullptr restores std::cin / std::cout.
void set_streams(std::istream* in, std::ostream* out);
std::ostream& out();

// Writes text without a newline (a prompt; the cursor stays on the line).
void write(std::string_view text);
// Writes text and a newline.
void line(std::string_view text);
// Flushes the output, for example before the shell takes the terminal.
void flush();
// Reads one line (without its newline, carriage return dropped); throws
// EndOfInput at end of input.
std::string read_line();

}  // namespace console
}  // namespace zolka
