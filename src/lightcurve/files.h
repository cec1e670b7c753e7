// Opening light-curve and list files by name, and small file-name routines.
//
// A name's first word is the path; a "$NAME" in it is replaced by the value of
// the environment variable NAME (up to the next "/"). A name that does not
// open is tried once more with ".dat" appended.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zolka {

constexpr int maxline = 2100;  // characters of a line that the readers look at
constexpr int pathlen = 256;   // length of a path

// A text file read line by line. A line longer than maxline characters is cut
// to its first maxline characters and the rest of it is skipped, so a long
// line never runs into the next one; bytes of any value are passed through.
class TextFile {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile() { close(); }

  // Opens a regular file (not a directory, device or pipe, which could block
  // or never end). False when that fails.
  bool open(const std::string& path);
  bool is_open() const { return f_ != nullptr; }
  void close();
  // The next line without its newline; valid until the next call. False at
  // the end of the file (or on a read error).
  bool next(std::string_view& line);

 private:
  bool refill();

  std::FILE* f_ = nullptr;
  std::vector<char> buf_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::string line_;
};

// The first word of name with an environment reference expanded. A result
// longer than pathlen prints "** fullpath truncation:" (or "** fullpath
// possible truncation:" when the variable's value alone fills the buffer) and
// is cut to pathlen.
std::string fullpath(std::string_view name);

// Opens name for reading (form "FORMATTED", status "OLD"): the fullpath of the
// name, else that path with ".dat" appended. Prints "Path( name ) = path" when
// the path differs from the name, and "Open( unit, path, form, status )" on
// success. ierr is 0 on success, 1 on failure (after "** OPENFILE FAILED :( ").
// The unit number only labels the message.
void openfile(int unit, std::string_view name, std::string_view form, std::string_view status,
              int& ierr, TextFile& file);

// Position (1-based) just after the last "/" of name; 1 when there is none.
int index_nopath(std::string_view name);

// The data file name datfile without its extension; for q > 0 followed by
// "_q" and the nearest integer to -100 log10 q (q = 0.001 gives "_q300"),
// blanks removed. Names the map files.
std::string filenameq(float q);

}  // namespace zolka
