// Plot files written completely or not at all. When a file plot opens, an
// empty temporary file is made in the target's directory (which shows at once
// whether the file can be written there). PostScript is drawn straight into
// it; PNG pages are drawn into a scratch directory of their own and, when the
// plot closes, copied or converted to GIF with libgd into the temporary file.
// The finished file is then renamed to its target. A failure leaves no partial
// file behind and says why.
#pragma once

#include <string>
#include <string_view>

namespace zolka {

// Creates an empty temporary file in the target's directory whose name ends
// in ext (".ps", ".gif"); returns its path, or "" with the reason in why when
// the directory does not exist or cannot be written, or the target is a
// directory.
std::string plot_tmpfile(const std::string& target, std::string_view ext, std::string& why);

// Creates a scratch directory for the PNG pages of a plot and returns the
// name the drawing library is to write ("<scratch>/page.png"), or "" with the
// reason in why. The directory's path holds no "." (the library numbers pages
// by cutting the name at its first dot).
std::string plot_scratch(std::string& why);

// Removes a temporary plot file and a scratch directory (either may be "").
void discard_plot_files(const std::string& tmp, const std::string& scratchpage);

// Renames a finished PostScript file to its target after checking that it
// ends with the "%%EOF" trailer. False (after a message) when it does not.
bool finish_postscript(const std::string& tmp, const std::string& target);

// Completes the PNG pages the drawing library wrote for scratchpage (itself
// for one page, its stem with _0000, _0001, ... for several): page 1 becomes
// target (through tmp), page k the target with "_k" before its extension.
// With gif the pages are converted to GIF. Removes tmp and the scratch
// directory. False (after a message) when no page was drawn or a page fails.
bool finish_pages(const std::string& scratchpage, const std::string& tmp, const std::string& target,
                  bool gif);

// Converts a PNG file to a GIF file (256-colour palette), writing gif in
// place. False when the PNG does not read or the GIF cannot be written.
bool png_to_gif(const std::string& png, const std::string& gif);

// The name of page k (k >= 2) of a plot file: "dir/plot.gif" gives "dir/plot_2.gif".
std::string page_name(const std::string& target, int k);

}  // namespace zolka
