// End-to-end runs of the cell reports on the demo database (60 cells, seed 7):
// cell 1000007 is of series 5 with 3G data, 1000016 of series 5 without,
// 1000005 of series 3.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

// Cell report: AP block then selects; cell parameters: keyed on two fields
// without AP block; 3G: AP block then the 3G data.
TEST(CellReports, WrittenFilesEqualTheExpectedFiles) {
  const struct {
    std::string name;
    const char* className;
  } cases[] = {{"cell", "TarnelCellReport"},
               {"cell_parameter", "TarnelCellParameterReport"},
               {"cell3g", "TarnelCell3GReport"}};
  for (const auto& c : cases) {
    ReportRun run = runExample("reports/cell/" + c.name + ".xml", c.className, 1000007);
    ASSERT_EQ(0, run.result.exitCode) << run.result.err;
    EXPECT_EQ("", run.result.err);
    for (const std::string& f : {c.name + "_1000007.txt", c.name + "_1000007.steering.json"}) {
      EXPECT_EQ(expectedText("cell/" + f), run.file(f)) << f;
    }
  }
}

TEST(Cell3GReport, SkippedCellsExitFourWithReasonAndNoFile) {
  const struct {
    int instance;
    const char* err;
  } cases[] = {
      {1000005,
       "tarnel-report: skipped: Cell is not series 2, series 5, series 6, series 7, series 8 or "
       "series 9: cell3g\n  context: Checking series of cell\n"},
      {1000016,
       "tarnel-report: skipped: No 3G data: cell3g\n  context: select count(instance_id) from "
       "tnl_cfg_cell3g where instance_id = 1000016\n"},
  };
  for (const auto& c : cases) {
    ReportRun run = runExample("reports/cell/cell3g.xml", "TarnelCell3GReport", c.instance);
    EXPECT_EQ(4, run.result.exitCode);
    EXPECT_EQ(c.err, run.result.err);
    EXPECT_FALSE(fileExists(run.folder + "/cell3g_" + std::to_string(c.instance) + ".txt"));
  }
}

TEST(Cell3GReport, FailedCountQueryIsAMessage) {
  std::string folder = freshFolder();
  std::string db = folder + "/no3g.db";
  writeFile(db, readFile(demoDatabase()));
  ASSERT_EQ(0, std::system(("sqlite3 '" + db + "' 'DROP TABLE tnl_cfg_cell3g'").c_str()));
  CommandResult r = runTarnel({"run", "--db", db, "--config", examplePath("reports/cell/cell3g.xml"),
                               "--queries", examplePath("queries/common.xml"), "--class",
                               "TarnelCell3GReport", "--instance", "1000007", "--out", folder});
  EXPECT_EQ(3, r.exitCode);
  std::string message =
      "tarnel-report: message: Query (select count(instance_id) from tnl_cfg_cell3g where "
      "instance_id = 1000007) failed for report: cell3g\n  context: PREBUILD\n";
  ASSERT_GE(r.err.size(), message.size()) << r.err;
  EXPECT_EQ(message, r.err.substr(r.err.size() - message.size()));
  EXPECT_NE(std::string::npos, r.err.find("no such table: tnl_cfg_cell3g")) << r.err;
}

}  // namespace
