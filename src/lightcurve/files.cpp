#include "lightcurve/files.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "numeric/rounding.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {
constexpr std::size_t bufsize = 1 << 16;  // bytes read from the file at a time
}  // namespace

bool TextFile::open(const std::string& path) {
  close();
  // A name with a NUL byte would open a different, shorter name.
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  f_ = std::fopen(path.c_str(), "rb");
  if (!f_) return false;
  buf_.resize(bufsize);
  pos_ = end_ = 0;
  return true;
}

void TextFile::close() {
  if (f_) std::fclose(f_);
  f_ = nullptr;
  pos_ = end_ = 0;
}

bool TextFile::refill() {
  if (!f_) return false;
  pos_ = 0;
  end_ = std::fread(buf_.data(), 1, buf_.size(), f_);
  return end_ > 0;
}

bool TextFile::next(std::string_view& line) {
  if (pos_ == end_ && !refill()) return false;
  // The common case: the whole line lies in the buffer.
  const char* b = buf_.data() + pos_;
  const void* nl = std::memchr(b, '\n', end_ - pos_);
  if (nl) {
    const std::size_t n = static_cast<const char*>(nl) - b;
    pos_ += n + 1;
    line = std::string_view(b, n);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // a CRLF line end
    if (line.size() > maxline) line = line.substr(0, maxline);
    return true;
  }
  // The line runs past the buffer: collect up to maxline characters of it and
  // skip the rest up to its newline.
  line_.clear();
  for (;;) {
    const char* p = buf_.data() + pos_;
    const std::size_t avail = end_ - pos_;
    const void* q = std::memchr(p, '\n', avail);
    const std::size_t n = q ? static_cast<std::size_t>(static_cast<const char*>(q) - p) : avail;
    if (line_.size() < maxline) line_.append(p, std::min(n, maxline - line_.size()));
    if (q) {
      pos_ += n + 1;
      break;
    }
    pos_ = end_;
    if (!refill()) break;  // a last line without a newline
  }
  if (!line_.empty() && line_.back() == '\r') line_.pop_back();
  line = line_;
  return true;
}

std::string fullpath(std::string_view name) {
  int i1 = 0, i2 = 0;
  word1(name, i1, i2);
  if (i1 == 0) return std::string(name);
  const std::string_view word = name.substr(i1 - 1, i2 - i1 + 1);
  const std::size_t dollar = word.find('$');
  std::string path;
  if (dollar == std::string_view::npos) {
    path = word;
  } else {
    const std::size_t slash = word.find('/', dollar);
    const std::size_t vend = slash == std::string_view::npos ? word.size() : slash;
    const std::string var(word.substr(dollar + 1, vend - dollar - 1));
    const char* env = var.empty() ? nullptr : std::getenv(var.c_str());
    const std::string value(trimmed(env ? std::string_view(env) : std::string_view()));
    const std::string_view before = word.substr(0, dollar);
    const std::string_view rest = word.substr(vend);
    path = std::string(before) + value + std::string(rest);
    if (static_cast<int>(path.size()) > pathlen) {
      if (static_cast<int>(value.size()) >= pathlen)
        diag("** fullpath possible truncation:", static_cast<int>(value.size()), pathlen);
      else
        diag("** fullpath truncation:", static_cast<int>(before.size()),
             static_cast<int>(value.size()), static_cast<int>(rest.size()), pathlen);
    }
  }
  if (static_cast<int>(path.size()) > pathlen) path.resize(pathlen);
  return path;
}

void openfile(int unit, std::string_view name, std::string_view form, std::string_view status,
              int& ierr, TextFile& file) {
  std::string path = fullpath(name);
  if (path != trimmed(name)) say("Path( ", name, " ) = ", path);
  if (!file.open(path)) {
    path += ".dat";
    if (!file.open(path)) {
      ierr = 1;
      diag("** OPENFILE FAILED :( ");
      diag("** Path( ", name, " ) = ", path);
      return;
    }
  }
  ierr = 0;
  say("Open(", unit, ", ", path, ", ", form, ", ", status, " )");
}

int index_nopath(std::string_view name) {
  const std::size_t p = name.rfind('/');
  return p == std::string_view::npos ? 1 : static_cast<int>(p) + 2;
}

std::string filenameq(float q) {
  std::string name(trimmed(state().datfile));
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot + 1 >= static_cast<std::size_t>(index_nopath(name)))
    name.resize(dot);
  if (q > 0) name += "_q" + free_format(nint(-100 * std::log10(q)));
  nospace(name);
  cut(name, titlelen);
  return name;
}

}  // namespace zolka
