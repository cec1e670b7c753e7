// The prompt family. Each prompt writes one blank column, the prompt text and
// its default between " [" and "] ", then reads one line. A blank reply keeps
// the default; an unreadable number asks again, silently. End of input throws
// EndOfInput (see console.h).
#pragma once

#include <string>
#include <string_view>

namespace zolka {

// Text reply: a blank line gives the default, otherwise the line as typed
// (leading blanks kept), cut to buflen.
void inq(std::string_view prompt, std::string_view dflt, std::string& reply, int buflen = 128);
std::string inq(std::string_view prompt, std::string_view dflt = "", int buflen = 128);
// Integer and real replies; dflt and result may be the same variable.
void inqi(std::string_view prompt, int dflt, int& result);
void inqr(std::string_view prompt, float dflt, float& result);
// Up to N values replacing the old ones in order ("Old"/"New" lines). They
// return how many values the reply gave (0 for a blank reply), so that a
// caller can tell a value typed from one kept.
int inq2r(std::string_view prompt, float& a, float& b);
int inq3r(std::string_view prompt, float& a, float& b, float& c);
int inq2i(std::string_view prompt, int& a, int& b);

}  // namespace zolka
