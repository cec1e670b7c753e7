#include "lightcurve/column_reader.h"

#include <algorithm>

#include "lightcurve/files.h"
#include "shell/core/console.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/text.h"
#include "shell/core/values.h"

namespace zolka {

namespace {

constexpr int lcunit = 49;    // channel named in the column reader's messages
constexpr int listunit = 47;  // channel named in the list reader's messages

// Reads the first ncol values of a line: the hcol-th into t, the others in
// order into v. False when the line has fewer values or a value that is not a
// finite number.
bool readrow(std::string_view line, int ncol, int hcol, double& t, float* v) {
  ValueReader r(line);
  int k = 0;
  for (int c = 1; c <= ncol; ++c) {
    const ValueReader::Status st = c == hcol ? r.next(t) : r.next(v[k++]);
    if (st != ValueReader::ok) return false;
  }
  return true;
}

}  // namespace

void loadlc(std::string_view file, int ncol, int hcol, int& nrow, double* t,
            std::initializer_list<float*> cols) {
  const int m = nrow;
  nrow = 0;
  say("NCOL", ncol, " HJD COL", hcol, " NROW", m);
  if (m < 1 || ncol < 1 || ncol > maxcol || hcol < 1 || hcol > ncol ||
      static_cast<int>(cols.size()) != ncol - 1) {
    diag("** INVALID DIMENSIONS.", m, ncol);
    diag("** LOADLC aborted.");
    return;
  }

  std::string name(file);
  if (len1(name) == 0) {
    console::write(" Enter name of" + fmt_i(ncol, 3) + "-column free-format ASCII file :");
    name = console::read_line();
  }
  TextFile f;
  int ierr = 1;
  if (len1(name) > 0) openfile(lcunit, name, "FORMATTED", "OLD", ierr, f);
  if (ierr != 0) {
    diag("\a** Error opening file.");
    diag("** ", name);
    diag("** LOADLC aborted.");
    return;
  }

  float* const* a = cols.begin();
  float v[maxcol];
  double tv = 0;
  std::string_view line;
  int r = 0;
  while (r < m && f.next(line)) {
    if (!readrow(line, ncol, hcol, tv, v)) continue;
    t[r] = tv;
    for (int c = 0; c < ncol - 1; ++c) a[c][r] = v[c];
    ++r;
  }
  if (r == m && f.next(line)) diag("** WARNING: Data beyond row", m, " was not read.");
  nrow = r;
}

void loadlc3(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2) {
  loadlc(file, ncol, 1, nrow, t, {a1, a2});
}

void loadlc4(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2,
             float* a3) {
  loadlc(file, ncol, 1, nrow, t, {a1, a2, a3});
}

void loadlc5(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2, float* a3,
             float* a4) {
  loadlc(file, ncol, 1, nrow, t, {a1, a2, a3, a4});
}

void loadlc6(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2, float* a3,
             float* a4, float* a5) {
  loadlc(file, ncol, 1, nrow, t, {a1, a2, a3, a4, a5});
}

void loadlc7t(std::string_view file, int ncol, int hcol, int& nrow, double* t, float* a1, float* a2,
              float* a3, float* a4, float* a5, float* a6) {
  loadlc(file, ncol, hcol, nrow, t, {a1, a2, a3, a4, a5, a6});
}

void loadlc8t(std::string_view file, int ncol, int hcol, int& nrow, double* t, float* a1, float* a2,
              float* a3, float* a4, float* a5, float* a6, float* a7) {
  loadlc(file, ncol, hcol, nrow, t, {a1, a2, a3, a4, a5, a6, a7});
}

namespace {

// A list line cut before its comment: at the later of the first "!" and the
// first "#" (either one alone when the other is absent).
std::string_view uncomment(std::string_view line) {
  const std::size_t bang = line.find('!');
  const std::size_t hash = line.find('#');
  std::size_t cutat = std::string_view::npos;
  if (bang != std::string_view::npos && hash != std::string_view::npos)
    cutat = std::max(bang, hash);
  else if (bang != std::string_view::npos)
    cutat = bang;
  else if (hash != std::string_view::npos)
    cutat = hash;
  return cutat == std::string_view::npos ? line : line.substr(0, cutat);
}

}  // namespace

void loadlist(std::string_view name, int& count, std::vector<std::string>& list, int entrylen) {
  const int wanted = count;
  count = 0;
  list.clear();
  if (wanted < 1) {
    diag("** dimension error ", wanted);
    diag("** LOADLIST aborted.");
    return;
  }
  if (len1(name) == 0) return;
  if (upcase(firstword(name)) == "NONE") return;
  const std::size_t at = name.find('@');
  if (at == std::string_view::npos) {
    list.emplace_back(trimmed(name));
    cut(list.back(), entrylen);
    count = 1;
    return;
  }

  // The list file: the word after the "@"; a word without an extension is
  // tried with ".lis" first. A "." before a "]" (a directory) is no extension.
  const std::string word(firstword(name.substr(at + 1)));
  const std::size_t bracket = word.rfind(']');
  const std::size_t from = bracket == std::string::npos ? 0 : bracket + 1;
  const bool hasext = word.find('.', from) != std::string::npos;
  TextFile f;
  int ierr = 1;
  if (!hasext && !word.empty()) openfile(listunit, word + ".lis", "FORMATTED", "OLD", ierr, f);
  if (ierr != 0 && !word.empty()) openfile(listunit, word, "FORMATTED", "OLD", ierr, f);
  if (ierr != 0) {
    diag("** error opening file ", name);
    diag("** LOADLIST aborted.");
    return;
  }

  std::string_view line;
  while (f.next(line)) {
    const std::string_view entry = uncomment(line);
    if (len1(entry) == 0) continue;
    if (count == wanted) {
      diag("** WARNING: List beyond entry", wanted, " was not read.");
      break;
    }
    list.emplace_back(trimmed(entry));
    cut(list.back(), entrylen);
    ++count;
  }
  if (count == 0) diag("** LOADLIST aborted.");
}

}  // namespace zolka
