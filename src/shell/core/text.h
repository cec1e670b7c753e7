// Text building and string utilities. Texts are std::string holding what a
// fixed-length, blank-padded buffer would hold; trailing blanks are never
// significant. Positions are 1-based, as the routines are written.
#pragma once

#include <string>
#include <string_view>

namespace zolka {

constexpr int titlelen = 128;  // length of caption and title buffers
constexpr int replylen = 70;   // length of the main prompt's reply buffer

// Position of the last non-blank character; 0 for an all-blank text.
int len1(std::string_view s);
// The text without trailing blanks.
std::string_view trimmed(std::string_view s);
// First and last positions of the first word (blanks and tabs delimit words);
// both 0 when there is no word.
void word1(std::string_view s, int& i1, int& i2);
// The first word itself ("" when there is none).
std::string_view firstword(std::string_view s);
// Letters a..z among the first len1 characters become A..Z.
std::string upcase(std::string_view s);
// Cuts a text to a buffer length.
void cut(std::string& s, int buflen);

// All blanks removed.
void nospace(std::string& s);
// Every blank directly after an "=" removed, repeatedly.
void noeqbl(std::string& s);
// Greek-letter plot escapes replaced by plain names (\gD -> Del, \gc -> chi ...).
void nogreek(std::string& s, int buflen = titlelen);
// Superscript/subscript plot escapes replaced by "^" and "_".
void noupdn(std::string& s);

// Appends a word (without its trailing blanks) after one blank; no blank when
// the buffer is empty. The result is cut to buflen.
void append(std::string& buf, std::string_view word, int buflen = titlelen);
// Appends an integer's digits.
void append_i(std::string& buf, long long v, int buflen = titlelen);
// Appends a real in a format such as "(f10.2)"; "*" means free format.
void append_f(std::string& buf, double v, std::string_view fmt, int buflen = titlelen);
void append_f(std::string& buf, float v, std::string_view fmt, int buflen = titlelen);
// Appends a real with n significant digits (n at least 2).
void append_n(std::string& buf, float v, int n, int buflen = titlelen);

}  // namespace zolka
