// Site and event identification from file names, and event aliases.
#include <gtest/gtest.h>

#include "lightcurve/site_id.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;
using test::TempDir;

struct Identified {
  std::string event, colour, site, out;
  char icon = '?';
  double glat = 0, glon = 0, elev = 0;
  float diam = 0;
};

Identified identify(const std::string& file) {
  Identified r;
  CapturedConsole con;
  cleansite(file, r.event, r.icon, r.colour, r.site, r.glat, r.glon, r.elev, r.diam);
  r.out = con.output();
  return r;
}

TEST(SiteId, FileNamesOfTheConvention) {
  struct Case {
    const char* file;
    const char* site;
    const char* event;
    char icon;
    const char* colour;
    float diam;
    double glat, glon, elev;  // single-precision table values widened
  };
  const Case cases[] = {
      {"/data/ZOB08123I.dat", "LaSilla", "OB-08-123", 'Z', "orange", 1.54f, double(-29.254299f),
       double(289.265411f), 2335},
      {"CKB110456V", "CTIO:V", "KB-11-0456", 'C', "blue", 1.3f, double(-30.016666f),
       double(-70.226669f), 2200},
      {"cKB110456V", "CTIO:V", "KB-11-0456", 'c', "blue", 1.3f, double(-30.016666f),
       double(-70.226669f), 2200},
      {"OB08123.dat", "OGLE", "OB-08-123", 'O', "black", 1.3f, -30, 0, 100},
      {"KB-2008-123", "MOA", "KB-08-123", 'K', "maroon", 1.8f, -30, 0, 100},
      {"HOB08123SDSS-R", "FTN:R", "OB-08-123", 'H', "cyan", 2.0f, double(20.706659f),
       double(-156.240005f), 3054},
      {"IOB08123Bess-V.dat", "FTS:V", "OB-08-123", 'I', "darkgreen", 2.0f, double(-31.273331f),
       double(149.061661f), 1149},
      {"OOB2K001I.dat", "OGLE", "OB-00-001", 'O', "black", 1.3f, -30, 0, 100},
      {"oOB08123I", "P60", "OB-08-123", 'p', "orange", 1.5f, double(33.151669f),
       double(-116.510002f), 100},
      {"dir/sub/mydata.dat", "mydata", "", ' ', "", 1, -30, 0, 100},
      {"XOB08123I.dat", "XOB08123I", "OB-08-123", ' ', "", 1, -30, 0, 100},  // unknown scope
      {"AXB08123R.dat", "AXB08123R:R", "", ' ', "", 1, -30, 0, 100},         // unknown survey
      {"OOBxx123I.dat", "OOBxx123I", "", ' ', "", 1, -30, 0, 100},           // year not a number
      {"OOB08x23I.dat", "OOB08x23I", "", ' ', "", 1, -30, 0, 100},           // number not a number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const Identified r = identify(c.file);
    EXPECT_EQ(r.site, c.site);
    EXPECT_EQ(r.event, c.event);
    EXPECT_EQ(r.icon, c.icon);
    EXPECT_EQ(r.colour, c.colour);
    EXPECT_EQ(r.diam, c.diam);
    EXPECT_EQ(r.glat, c.glat);
    EXPECT_EQ(r.glon, c.glon);
    EXPECT_EQ(r.elev, c.elev);
  }
}

TEST(SiteId, Report) {
  const Identified r = identify("/data/ZOB08123I.dat");
  EXPECT_EQ(r.out,
            " File:/data/ZOB08123I.dat\n"
            " index_nopath 7\n"
            " Path:/data/\n"
            " File:ZOB08123I.dat\n"
            " ** cleansite(/data/ZOB08123I.dat) **\n"
            " Survey: O Field: B Year: 08 Event: 123\n"
            " Event name: OB-08-123\n"
            " Standard site: LaSilla Scope Z Filter: I I\n");
  const Identified kb = identify("KB-2008-123");
  EXPECT_NE(kb.out.find(" Original name: KB-2008-123\n Fudged name: KKB08123I\n"),
            std::string::npos);
  const Identified ob = identify("OB08123.dat");
  EXPECT_NE(ob.out.find(" Original name: OB08123.dat\n Fudged name: OOB08123I.dat\n"),
            std::string::npos);
}

TEST(EventAlias, LooksUpBothColumns) {
  test::fresh_state();
  TempDir dir(true);
  dir.write("multiples.list", "OB08123 KB08456\nOB07001   KB07999 ! a comment\nOB09001\n");
  struct Case {
    const char* event;
    const char* alias;
  };
  const Case cases[] = {{"OB-08-123", "KB08456"}, {"KB-08-456", "OB08123"},
                        {"ob08123", "KB08456"},   {"KB07999", "OB07001"},
                        {"OB-09-001", ""},        {"OB-08-999", ""},
                        {"KB-11-0456", ""},       {"", ""}};
  CapturedConsole con;
  for (const Case& c : cases) {
    std::string alias = "stale";
    eventalias(c.event, alias);
    EXPECT_EQ(alias, c.alias) << c.event;
  }
  const std::string out = con.output();
  EXPECT_NE(out.find(" File multiples.list entries 3\n  1 OB08123 KB08456\n"), std::string::npos);
  EXPECT_NE(out.find(" ** eventalias( OB-08-123 ) *** 3\n Event: OB-08-123 OB08123\n"
                     " Alias: KB08456\n"),
            std::string::npos);
  // The list is read once.
  EXPECT_EQ(out.find("entries"), out.rfind("entries"));

  std::string alias;
  con.clear();
  eventalias("XB-08-123", alias);
  EXPECT_EQ(con.output(), " ** eventalias( XB-08-123 ) *** 3\n ** UNKNOWN SURVEY XB  :((((((.\n");
}

TEST(EventAlias, MissingListIsLookedForAgain) {
  test::fresh_state();
  TempDir dir(true);
  std::string alias = "stale";
  CapturedConsole con;
  eventalias("OB-08-123", alias);
  EXPECT_EQ(alias, "");
  EXPECT_NE(con.output().find("** LOADLIST aborted."), std::string::npos);
  dir.write("multiples.list", "OB08123 KB08456\n");
  eventalias("OB-08-123", alias);
  EXPECT_EQ(alias, "KB08456");
}

}  // namespace
}  // namespace zolka
