// End-to-end runs of the cell reports on the demo database (60 cells, seed 7):
// cell 1000007 is of series 5 with 3G data, 1000016 of series 5 without,
// 1000005 of series 3.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

// A run that writes exits 0 and its files equal tests/e2e/expected/cell/<file>;
// a skipped run exits 4 with the reason and writes nothing.
TEST(CellReports, RunsOnTheDemoNetwork) {
  const struct {
    std::string name;  // of examples/reports/cell/<name>.xml
    const char* className;
    int instance;
    int exitCode;
    std::string err;
  } cases[] = {
      // AP block then selects; keyed on two fields without AP block; AP block then 3G data.
      {"cell", "TarnelCellReport", 1000007, 0, ""},
      {"cell_parameter", "TarnelCellParameterReport", 1000007, 0, ""},
      {"cell3g", "TarnelCell3GReport", 1000007, 0, ""},
      {"cell3g", "TarnelCell3GReport", 1000005, 4,
       "tarnel-report: skipped: Cell is not series 2, series 5, series 6, series 7, series 8 or "
       "series 9: cell3g\n  context: Checking series of cell\n"},
      {"cell3g", "TarnelCell3GReport", 1000016, 4,
       "tarnel-report: skipped: No 3G data: cell3g\n  context: select count(instance_id) from "
       "tnl_cfg_cell3g where instance_id = 1000016\n"},
  };
  for (const auto& c : cases) {
    ReportRun run = runExample("reports/cell/" + c.name + ".xml", c.className, c.instance);
    EXPECT_EQ(c.exitCode, run.result.exitCode) << c.name << " " << c.instance;
    EXPECT_EQ(c.err, run.result.err);
    std::string stem = c.name + "_" + std::to_string(c.instance);
    if (c.exitCode != 0) {
      EXPECT_FALSE(fileExists(run.folder + "/" + stem + ".txt"));
      continue;
    }
    for (const std::string& f : {stem + ".txt", stem + ".steering.json"}) {
      EXPECT_EQ(expectedText("cell/" + f), run.file(f)) << f;
    }
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
  EXPECT_EQ(
      "tarnel-report: log: no such table: tnl_cfg_cell3g\n"
      "tarnel-report: message: Query (select count(instance_id) from tnl_cfg_cell3g where "
      "instance_id = 1000007) failed for report: cell3g\n  context: PREBUILD\n",
      r.err);
}

}  // namespace
