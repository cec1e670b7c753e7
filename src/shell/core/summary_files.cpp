#include "shell/core/summary_files.h"

#include <unistd.h>
#include <cstdio>
#include <fstream>

#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

bool write_file_whole(const std::string& path, std::string_view text) {
  const std::string tmp = path + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    f.flush();
    if (!f) {
      f.close();
      std::remove(tmp.c_str());
      return false;
    }
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

bool summary_line(int unit, std::string_view line) {
  ProgramState& s = state();
  std::vector<std::string>* lines = unit == 20   ? &s.fort20
                                    : unit == 21 ? &s.fort21
                                    : unit == 22 ? &s.fort22
                                                 : nullptr;
  if (!lines) return false;
  lines->emplace_back(line);
  std::string text;
  for (const std::string& l : *lines) {
    text += l;
    text += '\n';
  }
  const std::string path = "fort." + std::to_string(unit);
  if (!write_file_whole(path, text)) {
    diag("** ERROR writing", path);
    return false;
  }
  return true;
}

}  // namespace zolka
