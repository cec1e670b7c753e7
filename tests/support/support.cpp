#include "support/support.h"

#include <sys/wait.h>
#include <cstdlib>
#include <fstream>
#include <random>
#include <vector>

#include "shell/core/console.h"
#include "shell/model/startup.h"

namespace zolka::test {

namespace fs = std::filesystem;

void fresh_state() {
  reset_state();
}

CapturedConsole::CapturedConsole(const std::string& input) : in_(input) {
  console::set_streams(&in_, &out_);
}

CapturedConsole::~CapturedConsole() {
  console::set_streams(nullptr, nullptr);
}

TempDir::TempDir(bool enter) {
  std::random_device rd;
  for (;;) {
    path_ = fs::temp_directory_path() / ("zolka-test-" + std::to_string(rd()));
    if (fs::create_directory(path_)) break;
  }
  if (enter) {
    old_ = fs::current_path();
    fs::current_path(path_);
    entered_ = true;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  if (entered_) fs::current_path(old_, ec);
  fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& text) const {
  std::ofstream f(path_ / name, std::ios::binary);
  f << text;
}

std::string TempDir::read(const std::string& name) const {
  std::ifstream f(path_ / name, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

RunResult run_zolka(const std::string& script, const fs::path& dir, const std::string& env) {
  const fs::path in = dir / ".stdin";
  const fs::path out = dir / ".stdout";
  {
    std::ofstream f(in, std::ios::binary);
    f << script;
  }
  const std::string cmd = "cd '" + dir.string() + "' && " + env + (env.empty() ? "" : " ") + "'" +
                          ZOLKA_BINARY + "' < '" + in.string() + "' > '" + out.string() + "' 2>&1";
  const int rc = std::system(cmd.c_str());
  RunResult r;
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  std::ifstream f(out, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  r.output = s.str();
  return r;
}

int count_text(const std::string& out, const std::string& text) {
  int n = 0;
  for (std::size_t p = out.find(text); p != std::string::npos; p = out.find(text, p + 1)) ++n;
  return n;
}

bool has_text(const std::string& out, const std::string& text) {
  return count_text(out, text) > 0;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream s(text);
  std::string l;
  while (std::getline(s, l)) v.push_back(l);
  return v;
}

bool has_line(const std::string& text, const std::string& line) {
  for (const std::string& l : lines_of(text))
    if (l == line) return true;
  return false;
}

int occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

std::string real_data_dir() {
  const char* env = std::getenv("ZOLKA_REAL_DATA");
  fs::path p = env ? fs::path(env) : fs::path(ZOLKA_SOURCE_DIR) / ".." / "shared" / "data" / "real";
  std::error_code ec;
  if (fs::is_directory(p, ec)) return fs::canonical(p, ec).string();
  return "";
}

std::string source_dir() {
  return ZOLKA_SOURCE_DIR;
}

}  // namespace zolka::test
