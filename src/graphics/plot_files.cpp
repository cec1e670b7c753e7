#include "graphics/plot_files.h"

#include <gd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_map>
#include <vector>

#include "shell/core/format.h"
#include "shell/core/print.h"

namespace zolka {

namespace fs = std::filesystem;

namespace {

// The PNG page files the drawing library wrote for scratchpage: the page
// itself for a single page, else its stem followed by _0000.png, _0001.png, ...
std::vector<std::string> png_pages(const std::string& scratchpage) {
  std::error_code ec;
  if (fs::exists(scratchpage, ec) && fs::file_size(scratchpage, ec) > 0) return {scratchpage};
  const std::string stem = scratchpage.substr(0, scratchpage.size() - 4);  // without ".png"
  std::vector<std::string> pages;
  for (int k = 0;; ++k) {
    const std::string page = stem + "_" + fmt_i(k, 4, 4) + ".png";
    if (!fs::exists(page, ec)) break;
    pages.push_back(page);
  }
  return pages;
}

void cannot_write(const std::string& file, const std::string& why) {
  diag("** ERROR: cannot write plot file " + file + ": " + why);
}

// Renames a finished temporary file into place; removes it when that fails.
bool rename_to(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (!ec) return true;
  cannot_write(to, ec.message());
  fs::remove(from, ec);
  return false;
}

// Where scratch directories go: TMPDIR when it is an absolute path without a
// dot, else /tmp.
std::string scratch_base() {
  const char* t = std::getenv("TMPDIR");
  if (t != nullptr && t[0] == '/' && std::strchr(t, '.') == nullptr) return t;
  return "/tmp";
}

// Gives each palette entry the most frequent true colour among the pixels it
// stands for, in place of the quantiser's average: the background, frame and
// curves keep their exact colours (white stays 255,255,255).
void exact_palette(gdImagePtr truecolour, gdImagePtr pal) {
  std::unordered_map<std::uint64_t, int> count;  // (entry << 24 | rgb) -> pixels
  const int nx = gdImageSX(pal), ny = gdImageSY(pal);
  for (int y = 0; y < ny; ++y)
    for (int x = 0; x < nx; ++x) {
      const std::uint64_t entry = static_cast<std::uint64_t>(gdImagePalettePixel(pal, x, y));
      const int rgb = gdImageTrueColorPixel(truecolour, x, y) & 0xffffff;
      ++count[entry << 24 | static_cast<std::uint64_t>(rgb)];
    }
  std::vector<int> best(gdMaxColors, 0), bestrgb(gdMaxColors, -1);
  for (const auto& [key, n] : count) {
    const int entry = static_cast<int>(key >> 24);
    if (n > best[entry]) {
      best[entry] = n;
      bestrgb[entry] = static_cast<int>(key & 0xffffff);
    }
  }
  for (int e = 0; e < gdImageColorsTotal(pal); ++e) {
    if (bestrgb[e] < 0) continue;
    pal->red[e] = (bestrgb[e] >> 16) & 0xff;
    pal->green[e] = (bestrgb[e] >> 8) & 0xff;
    pal->blue[e] = bestrgb[e] & 0xff;
  }
}

}  // namespace

std::string plot_tmpfile(const std::string& target, std::string_view ext, std::string& why) {
  std::error_code ec;
  if (target.empty() || target.back() == '/' || fs::is_directory(target, ec)) {
    why = "it is a directory";
    return "";
  }
  const fs::path dir = fs::path(target).parent_path();
  if (!dir.empty() && !fs::is_directory(dir, ec)) {
    why = "no directory " + dir.string();
    return "";
  }
  const std::string pattern = (dir / ".zolka-plot-XXXXXX").string() + std::string(ext);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemps(name.data(), static_cast<int>(ext.size()));
  if (fd < 0) {
    why = std::strerror(errno);
    return "";
  }
  // A plot file gets the permissions of any new file (mkstemps makes it private).
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  return std::string(name.data());
}

std::string plot_scratch(std::string& why) {
  const std::string pattern = scratch_base() + "/zolkaXXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) {
    why = std::strerror(errno);
    return "";
  }
  return std::string(name.data()) + "/page.png";
}

void discard_plot_files(const std::string& tmp, const std::string& scratchpage) {
  std::error_code ec;
  if (!tmp.empty()) fs::remove(tmp, ec);
  if (!scratchpage.empty()) fs::remove_all(fs::path(scratchpage).parent_path(), ec);
}

bool finish_postscript(const std::string& tmp, const std::string& target) {
  // A PostScript file the library completed ends with its "%%EOF" trailer;
  // without it (a full disk, say) the file is not a plot anyone can print.
  std::ifstream f(tmp, std::ios::binary | std::ios::ate);
  const std::streamoff size = f ? static_cast<std::streamoff>(f.tellg()) : 0;
  std::string tail;
  if (size > 0) {
    const std::streamoff n = std::min<std::streamoff>(size, 64);
    tail.resize(static_cast<std::size_t>(n));
    f.seekg(size - n);
    f.read(tail.data(), n);
  }
  f.close();
  if (tail.find("%%EOF") == std::string::npos) {
    cannot_write(target, "the PostScript output is incomplete");
    discard_plot_files(tmp, "");
    return false;
  }
  return rename_to(tmp, target);
}

std::string page_name(const std::string& target, int k) {
  const std::string ext = fs::path(target).extension().string();
  const std::string stem = target.substr(0, target.size() - ext.size());
  return stem + "_" + std::to_string(k) + ext;
}

bool finish_pages(const std::string& scratchpage, const std::string& tmp, const std::string& target,
                  bool gif) {
  const std::vector<std::string> pages = png_pages(scratchpage);
  if (pages.empty()) {
    diag("** No plot page was drawn; " + target + " not written.");
    discard_plot_files(tmp, scratchpage);
    return false;
  }
  bool ok = true;
  std::error_code ec;
  for (std::size_t k = 0; k < pages.size(); ++k) {
    const int page = static_cast<int>(k) + 1;
    const std::string dest = page == 1 ? target : page_name(target, page);
    std::string why;
    const std::string out = page == 1 ? tmp : plot_tmpfile(dest, gif ? ".gif" : ".png", why);
    bool done = !out.empty();
    if (done && gif) {
      done = png_to_gif(pages[k], out);
      if (!done) why = "the conversion to GIF failed";
    } else if (done) {
      done = fs::copy_file(pages[k], out, fs::copy_options::overwrite_existing, ec);
      if (!done) why = ec.message();
    }
    if (done) {
      done = rename_to(out, dest);
      if (done && page > 1) say("Page", page, " of the plot: " + dest);
    } else {
      cannot_write(dest, why);
      if (!out.empty()) fs::remove(out, ec);
    }
    ok = ok && done;
  }
  discard_plot_files(tmp, scratchpage);
  return ok;
}

bool png_to_gif(const std::string& png, const std::string& gif) {
  FILE* in = std::fopen(png.c_str(), "rb");
  if (!in) return false;
  gdImagePtr im = gdImageCreateFromPng(in);
  std::fclose(in);
  if (!im) return false;
  // GIF holds at most 256 colours; plots use a handful plus the shades of
  // their anti-aliased edges. No dithering keeps lines and text crisp.
  gdImagePtr pal = im;
  if (gdImageTrueColor(im)) {
    pal = gdImageCreatePaletteFromTrueColor(im, 0, 256);
    if (pal) exact_palette(im, pal);
  }
  bool ok = pal != nullptr;
  if (ok) {
    FILE* out = std::fopen(gif.c_str(), "wb");
    ok = out != nullptr;
    if (ok) {
      gdImageGif(pal, out);
      ok = std::ferror(out) == 0;
      ok = std::fclose(out) == 0 && ok;
    }
  }
  if (pal && pal != im) gdImageDestroy(pal);
  gdImageDestroy(im);
  return ok;
}

}  // namespace zolka
