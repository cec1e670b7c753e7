// Helpers shared by the tests: a reset program state, a captured console, a
// temporary directory, and running the built zolka binary on a script.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace zolka::test {

// Empties the program state and sets its start values.
void fresh_state();

// Replaces the console's streams for the life of the object: input comes from
// the given text, output is collected.
class CapturedConsole {
 public:
  explicit CapturedConsole(const std::string& input = "");
  ~CapturedConsole();
  std::string output() const { return out_.str(); }
  void clear() { out_.str(""); }

 private:
  std::istringstream in_;
  std::ostringstream out_;
};

// A fresh temporary directory, removed with its contents at the end; while
// `enter` is true the working directory is moved into it.
class TempDir {
 public:
  explicit TempDir(bool enter = false);
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  void write(const std::string& name, const std::string& text) const;
  std::string read(const std::string& name) const;

 private:
  std::filesystem::path path_;
  std::filesystem::path old_;
  bool entered_ = false;
};

struct RunResult {
  std::string output;  // standard output and standard error together
  int status = -1;     // exit status
};

// Runs the zolka binary in dir with the script as standard input.
RunResult run_zolka(const std::string& script, const std::filesystem::path& dir,
                    const std::string& env = "");

// How often a text occurs in the output, and whether it does. Prompts leave
// the cursor on their line, so scripted output is searched for texts, not lines.
int count_text(const std::string& out, const std::string& text);
bool has_text(const std::string& out, const std::string& text);

// Lines of text.
std::vector<std::string> lines_of(const std::string& text);
// True when some line equals the given text exactly.
bool has_line(const std::string& text, const std::string& line);
// How many times part occurs in text (overlapping occurrences counted).
int occurrences(const std::string& text, const std::string& part);

// Folder of the public real light curves, or "" when it is absent (tests skip).
std::string real_data_dir();

// Root of the source tree (fixtures live in tests/fixtures).
std::string source_dir();

}  // namespace zolka::test
