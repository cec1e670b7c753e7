// Scripted sessions that load light curves with the D command.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/support.h"

namespace zolka {
namespace {

namespace fs = std::filesystem;
using test::has_line;
using test::run_zolka;
using test::TempDir;

using test::occurrences;

void copy_fixtures(const TempDir& dir, std::initializer_list<const char*> names) {
  for (const char* f : names)
    fs::copy_file(fs::path(test::source_dir()) / "tests" / "fixtures" / f, dir.path() / f);
}

TEST(DataSession, ThreeFileList) {
  TempDir dir;
  copy_fixtures(dir, {"night1.lis", "OOB08123I.dat", "ZOB08123I.dat", "HOB08123R.dat"});
  dir.write("multiples.list", "OB08123 KB08456\n");
  const auto r = run_zolka("D\n@night1\n", dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_EQ(occurrences(out, " ** DATA FORMAT ACCEPTED **  :)\n"), 3);
  EXPECT_NE(out.find(" New file:  Open( 47, night1.lis, FORMATTED, OLD )\n"), std::string::npos);
  EXPECT_TRUE(has_line(out, " Standard site: OGLE Scope O Filter: I I"));
  EXPECT_TRUE(has_line(out, " Standard site: LaSilla Scope Z Filter: I I"));
  EXPECT_TRUE(has_line(out, " Standard site: FTN:R Scope H Filter: R R"));
  EXPECT_TRUE(has_line(out, " Alias: KB08456"));
  EXPECT_TRUE(has_line(out, " site 3 Ndat 4 FTN:R"));
  EXPECT_TRUE(has_line(out, " total data points: 16 sites: 3"));
  // The menu after the load shows the data and one line per site.
  EXPECT_TRUE(has_line(out, " D ... Data: 16 @night1 OB-08-123"));
  EXPECT_NE(out.find("\n F ... Fit amoeba chi^2/(16-1)="), std::string::npos);
  for (const char* site : {" OGLE", " LaSilla", " FTN:R"}) {
    bool found = false;
    for (const std::string& l : test::lines_of(out))
      found |= l.rfind("   fs/f1=", 0) == 0 && l.size() > 6 &&
               l.compare(l.size() - std::string(site).size(), std::string::npos, site) == 0;
    EXPECT_TRUE(found) << site;
  }
  // The load sets the plot window to the last five days.
  EXPECT_NE(out.find(" T ... Time range: -5.0 0.0 "), std::string::npos);
}

TEST(DataSession, MissingFileLeavesNoData) {
  TempDir dir;
  const auto r = run_zolka("D\nnothere\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(has_line(r.output, " ** NO DATA FROM nothere"));
  EXPECT_TRUE(has_line(r.output, " ** WARNING -- No data.  :((("));
  EXPECT_EQ(occurrences(r.output, " D ... Data: 0\n"), 2);
  EXPECT_EQ(r.output.find(" F ... Fit amoeba"), std::string::npos);
}

}  // namespace
}  // namespace zolka
