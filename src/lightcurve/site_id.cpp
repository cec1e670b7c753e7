#include "lightcurve/site_id.h"

#include "lightcurve/column_reader.h"
#include "lightcurve/files.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/core/values.h"

namespace zolka {

namespace {

constexpr int maxalias = 3000;  // entries of the alias list
constexpr int aliaslen = 30;    // characters of an alias-list entry
constexpr const char* aliasfile = "multiples.list";

// Default position of an unknown site: latitude, longitude in degrees,
// elevation in metres, aperture in metres.
constexpr double glat_default = -30;
constexpr double glon_default = 0;
constexpr double elev_default = 100;
constexpr float diam_default = 1;

// A standard site. Coordinates are the program's single-precision constants;
// "keep" leaves the default in place.
constexpr float keep = -999;
struct StandardSite {
  char scope;          // observatory letter of the file name
  const char* name;    // standard site name
  float diam;          // aperture, metres
  float glat, glon;    // degrees
  float elev;          // metres
  char icon;           // plot symbol letter
  const char* colour;  // plot colour name
};

constexpr StandardSite standard_sites[] = {
    {'O', "OGLE", 1.3f, keep, keep, keep, 'O', "black"},
    {'K', "MOA", 1.8f, keep, keep, keep, 'K', "maroon"},
    {'H', "FTN", 2.0f, 20.706659f, -156.240005f, 3054, 'H', "cyan"},
    {'I', "FTS", 2.0f, -31.273331f, 149.061661f, 1149, 'I', "darkgreen"},
    {'J', "LT", 2.0f, 28.760000f, -17.881660f, 2326, 'J', "turquoise"},
    {'Z', "LaSilla", 1.54f, -29.254299f, 289.265411f, 2335, 'Z', "orange"},
    {'A', "SAAO", 1.0f, -32.379444f, 20.810694f, 1798, 'A', "green"},
    {'U', "UTas", 1.0f, keep, keep, keep, 'U', "magenta"},
    {'W', "Perth", 0.6f, keep, keep, keep, 'W', "navy"},
    {'F', "Boyden", 1.5f, keep, keep, keep, 'F', "skin"},
    {'R', "LNA/OPD", 0.6f, keep, keep, keep, 'R', "grey"},
    {'P', "MonetN", 1.2f, keep, keep, keep, 'P', "purple"},
    {'Q', "MonetS", 1.2f, keep, keep, keep, 'Q', "darkred"},
    {'y', "Yale", 1.0f, keep, keep, keep, 'y', "olive"},
    {'C', "CTIO", 1.3f, -30.016666f, -70.226669f, 2200, 'C', "blue"},
    {'c', "CTIO", 1.3f, -30.016666f, -70.226669f, 2200, 'c', "blue"},
    {'z', "Hereford-AZ", 0.35f, 31.059999f, -110.058334f, keep, 'z', "teal"},
    {'l', "Lemmon", 1.0f, 32.252777f, -110.261108f, keep, 'l', "dark sea green"},
    {'m', "MDM", 2.4f, 31.079166f, -111.559998f, keep, 'm', "cyan"},
    {'o', "P60", 1.5f, 33.151669f, -116.510002f, keep, 'p', "orange"},
    {'r', "RegentLane", 0.0f, -38.267223f, 117.426941f, keep, 'r', "lightblue"},
    {'d', "Possum", 0.28f, -38.267223f, 177.426941f, keep, 'd', "amber"},
    {'a', "Auckland", 0.4f, -36.330002f, 174.472778f, keep, 'a', "darkgreen"},
    {'h', "HuntersHill", 0.35f, -35.112499f, 149.059998f, keep, 'h', "skin"},
    {'t', "Tahiti", 0.28f, -17.036667f, -149.145828f, keep, 't', "slate grey"},
    {'f', "FarmCove", 0.35f, 36.544724f, 174.544724f, keep, 'f', "blue"},
    {'k', "Kumeu", 0.35f, -36.306667f, 174.249725f, keep, 'k', "navy"},
    {'v', "VintageLane", 0.4f, -41.241665f, 149.145828f, keep, 'v', "purple"},
    {'p', "PerthCBA", 0.25f, keep, keep, keep, 'p', "magenta"},
    {'b', "Bronberg", 0.35f, -25.480000f, 28.129999f, keep, 'b', "turquoise"},
    {'w', "Wise", 1.0f, 30.486111f, 34.549999f, keep, 'w', "darkred"},
    {'i', "WiseSITe", 1.0f, 30.486111f, 34.549999f, keep, 'i', "darkred"},
    {'x', "CampoCatino", 0.5f, -22.158333f, -68.136108f, keep, 'x', "grey"},
};

const StandardSite* find_site(char scope) {
  for (const StandardSite& st : standard_sites)
    if (st.scope == scope) return &st;
  return nullptr;
}

// Characters i .. j (1-based, inclusive) of s, as far as s reaches.
std::string chars(std::string_view s, int i, int j) {
  if (i < 1) i = 1;
  if (j > static_cast<int>(s.size())) j = static_cast<int>(s.size());
  if (j < i) return {};
  return std::string(s.substr(i - 1, j - i + 1));
}

// Reads an integer field the way a fixed-width integer edit does: blanks are
// ignored and an all-blank field is 0; anything else must be an integer.
bool read_int_field(std::string_view text, int& v) {
  std::string digits;
  for (const char c : text)
    if (c != ' ') digits += c;
  if (digits.empty()) {
    v = 0;
    return true;
  }
  return parse_int(digits, v);
}

// Position (1-based) of the first "." in s; 0 when there is none.
int first_dot(std::string_view s) {
  const std::size_t p = s.find('.');
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

// The extension of s from its first "." on; "" when there is none.
std::string extension(std::string_view s) {
  const int d = first_dot(s);
  return d == 0 ? std::string() : std::string(trimmed(s.substr(d - 1)));
}

bool starts_survey(std::string_view s, const char* upper, const char* lower) {
  return s.substr(0, 2) == upper || s.substr(0, 2) == lower;
}

// Short names of follow-up files: OB08123.dat (7 characters) becomes
// OOB08123I.dat, KB-2008-123 becomes KKB08123I. Prints the names.
void repair_short_name(std::string& name) {
  const int n = len1(name);
  const int dot = first_dot(name);
  if (dot == 8 || n == 7) {
    say("Original name: ", name);
    const std::string ext = dot > 0 ? extension(name) : std::string();
    if (starts_survey(name, "KB", "kb"))
      name = "KKB" + chars(name, 3, 7) + "I" + ext;
    else if (starts_survey(name, "OB", "ob"))
      name = "OOB" + chars(name, 3, 7) + "I" + ext;
    say("Fudged name: ", name);
  }
  const int n2 = len1(name);
  const int dot2 = first_dot(name);
  if ((dot2 == 12 || n2 == 11) && chars(name, 3, 3) == "-" && chars(name, 8, 8) == "-") {
    say("Original name: ", name);
    const std::string ext = dot2 > 0 ? extension(name) : std::string();
    if (starts_survey(name, "KB", "kb"))
      name = "KKB" + chars(name, 6, 7) + chars(name, 9, 11) + "I" + ext;
    else if (starts_survey(name, "OB", "ob"))
      name = "OOB" + chars(name, 6, 7) + chars(name, 9, 11) + "I" + ext;
    say("Fudged name: ", name);
  }
}

}  // namespace

void cleansite(std::string_view file, std::string& event, char& icon, std::string& colour,
               std::string& site, double& glat, double& glon, double& elev, float& diam) {
  event.clear();
  icon = ' ';
  colour.clear();
  site = std::string(trimmed(file));
  glat = glat_default;
  glon = glon_default;
  elev = elev_default;
  diam = diam_default;

  const int l = index_nopath(file);
  say("File:", file);
  say("index_nopath", l);
  if (l >= 2) {
    say("Path:", file.substr(0, l - 1));
    say("File:", file.substr(l - 1));
  }
  std::string name(trimmed(file.substr(l - 1)));
  site = name;

  repair_short_name(name);
  name = std::string(firstword(name));
  if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".dat") == 0)
    name.resize(name.size() - 4);
  site = name;

  std::string filter = "??";
  char letter = '?';
  std::string year = "??";
  std::string number = "??";
  char scope = ' ', survey = ' ', field = ' ';

  if (static_cast<int>(name.size()) > 8) {
    scope = name[0];
    survey = name[1];
    field = name[2];
    year = chars(name, 4, 5);
    if (year == "2K") year = "00";
    int iyear = 0;
    if (!read_int_field(year, iyear) || iyear < 0) return;

    int inum = 0;
    if (iyear < 11) {
      number = chars(name, 6, 8);
      if (!read_int_field(number, inum) || inum < 0 || inum > 999) return;
      filter = chars(name, 9, static_cast<int>(name.size()));
    } else {
      number = chars(name, 6, 9);
      if (!read_int_field(number, inum) || inum < 0 || inum > 9999) return;
      filter = chars(name, 10, static_cast<int>(name.size()));
    }
    letter = filter.empty() ? ' ' : filter[0];

    // The Faulkes and Liverpool files spell the filter out; a later match wins.
    if (scope == 'H' || scope == 'I' || scope == 'J') {
      const std::pair<const char*, char> spelled[] = {{"Bess-R", 'R'}, {"Bess-V", 'V'},
                                                      {"Bess-I", 'I'}, {"SDSS-R", 'R'},
                                                      {"SDSS-V", 'V'}, {"SDSS-I", 'I'}};
      for (const auto& [text, f] : spelled)
        if (filter.find(text) != std::string::npos) letter = f;
    }

    if (survey == 'O' || survey == 'K') {
      event = std::string(1, survey) + "B-" + year + "-" +
              fmt_i(inum, iyear < 11 ? 3 : 4, iyear < 11 ? 3 : 4);
      const StandardSite* st = find_site(scope);
      if (!st) return;
      site = st->name;
      diam = st->diam;
      if (st->glat != keep) glat = st->glat;
      if (st->glon != keep) glon = st->glon;
      if (st->elev != keep) elev = st->elev;
      icon = st->icon;
      colour = st->colour;
    }
    if (letter != 'I') site += std::string(":") + letter;
  }

  diag("** cleansite(", file, ") **");
  say("Survey: ", survey, " Field: ", field, " Year: ", year, " Event: ", number);
  say("Event name: ", event);
  say("Standard site: ", site, " Scope ", scope, " Filter: ", letter, " ", filter);
}

void eventalias(std::string_view event, std::string& alias) {
  std::vector<std::string>& list = state().aliaslist;
  if (list.empty()) {
    int n = maxalias;
    loadlist(std::string("@") + aliasfile, n, list, aliaslen);
    say("File ", aliasfile, " entries", n);
    for (int i = 1; i <= n; ++i) say(i, " ", list[i - 1]);
  }
  alias.clear();
  if (list.empty()) return;

  diag("** eventalias( ", event, " ) ***", static_cast<int>(list.size()));
  const std::string word(firstword(event));
  if (word.size() != 7 && word.size() != 9) return;
  const std::string code = upcase(word.substr(0, 2));
  if (code != "OB" && code != "KB") {
    diag("** UNKNOWN SURVEY ", code, "  :((((((.");
    return;
  }
  // OB08123 as it stands; OB-08-123 without its dashes.
  const std::string key =
      upcase(word.size() == 7 ? word : code + chars(word, 4, 5) + chars(word, 7, 9));
  say("Event: ", word, " ", key);
  for (const std::string& entry : list) {
    int i1 = 0, i2 = 0;
    word1(entry, i1, i2);
    if (i1 == 0) continue;
    const std::string first = entry.substr(i1 - 1, i2 - i1 + 1);
    const std::string second(firstword(std::string_view(entry).substr(i2)));
    if (key == first)
      alias = second;
    else if (key == second)
      alias = first;
    if (!alias.empty()) break;
  }
  say("Alias: ", alias);
}

}  // namespace zolka
