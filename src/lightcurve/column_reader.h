// Reading free-format column files: one measurement per line, values separated
// by blanks, tabs or commas, any number of header or comment lines.
//
// The column reader takes the first ncol values of every line that has them;
// the value in the time column goes into a 64-bit array, the others, in their
// order on the line, into 32-bit arrays. A line with fewer values, or with a
// value that is not a finite number (a header, a comment, a blank line, NaN or
// Inf), is skipped; values after the ncol-th are ignored. So a file with more
// columns than asked for reads, and one with fewer yields no rows: ingestion
// tries its layouts from the widest down for this reason.
//
// Array arguments point at the element that receives row 1, so a caller
// appends to a store with &s.hjd_t(n + 1).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zolka {

constexpr int maxcol = 20;  // most columns a reader takes

// Reads up to nrow rows of ncol columns (time in column hcol) from file; nrow
// is the capacity on entry and the rows stored on return (0 on failure). A
// blank file name asks for one at the terminal. Rows beyond the capacity are
// left unread with "** WARNING: Data beyond row nrow was not read.".
void loadlc(std::string_view file, int ncol, int hcol, int& nrow, double* t,
            std::initializer_list<float*> cols);

// The members that ingestion uses; ncol must equal the number in the name.
void loadlc3(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2);
void loadlc4(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2,
             float* a3);
void loadlc5(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2, float* a3,
             float* a4);
void loadlc6(std::string_view file, int ncol, int& nrow, double* t, float* a1, float* a2, float* a3,
             float* a4, float* a5);
void loadlc7t(std::string_view file, int ncol, int hcol, int& nrow, double* t, float* a1, float* a2,
              float* a3, float* a4, float* a5, float* a6);
void loadlc8t(std::string_view file, int ncol, int hcol, int& nrow, double* t, float* a1, float* a2,
              float* a3, float* a4, float* a5, float* a6, float* a7);

// A list of names. A name holding "@" names a list file (the word after the
// "@", tried with ".lis" first when it has no extension); any other name is a
// list of itself. Each line of the list file gives one entry, cut before its
// comment (the later of the first "!" and the first "#"); blank lines are
// skipped. count is the most entries wanted on entry and the entries read on
// return; entries are cut to entrylen characters. More entries than wanted
// are left unread with "** WARNING: List beyond entry count was not read.".
void loadlist(std::string_view name, int& count, std::vector<std::string>& list,
              int entrylen = 128);

}  // namespace zolka
