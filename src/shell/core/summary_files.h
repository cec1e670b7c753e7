// The summary files fort.20, fort.21 and fort.22 in the working directory.
// Each is created by the first line a run writes to it (replacing an older
// file) and collects the lines of the run. Every write replaces the file as a
// whole through a temporary name, so the file is never left half-written.
#pragma once

#include <string>
#include <string_view>

namespace zolka {

// Appends one line to fort.<unit>, unit 20, 21 or 22. Returns false (after a
// diagnostic) when the file cannot be written; the line stays recorded.
bool summary_line(int unit, std::string_view line);

// Writes text to path completely or not at all: a temporary file in the same
// directory, then a rename. Returns false when that fails.
bool write_file_whole(const std::string& path, std::string_view text);

}  // namespace zolka
