// End-to-end runs of the cell reports on the demo database (60 cells, seed 7):
// cell 1000007 is of series 5 with 3G data, 1000016 of series 5 without,
// 1000005 of series 3.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kCell7Block[] =
    "CellName\tCELL00007\ncell_number\t7\nseries\t5\nstatus\te\nrcs_tech\t2\n"
    "trx_count\t8\nload_data\tLD3\n";
const char kCount7Sql[] = "select count(instance_id) from tnl_cfg_cell3g where instance_id = 1000007";

std::string steering(const std::string& templ, const std::string& dataFile) {
  return "{\n  \"runMacro\": 0,\n  \"PFTemplateName\": \"" + templ +
         "\",\n  \"PFDataFileName\": \"" + dataFile + "\"\n}\n";
}

TEST(CellReports, CellReportWritesTheApBlockThenItsSelects) {
  ReportRun run = runExample("reports/cell/cell.xml", "TarnelCellReport", 1000007);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ("", run.result.err);
  std::string faces;
  for (int face = 0; face < 3; ++face) {
    std::string k = "[" + std::to_string(face) + "]\t";
    faces += "FACE_AntennaName" + k + "map-CELL00007-" + std::to_string(face) + "\nFACE_face" + k +
             std::to_string(face) + "\nFACE_azimuth" + k + std::to_string(7 + 120 * face) +
             "\nFACE_height_m" + k + "27.0\n";
  }
  EXPECT_EQ(std::string(kCell7Block) +
                "cch_reselect_offset\t0\ncch_hysteresis\t4\nlmt_threshold\t-93\nmaho_enabled\tno\n" +
                faces,
            run.file("cell_1000007.txt"));
  EXPECT_EQ(steering("CellParameters.xlt", "cell_1000007.txt"),
            run.file("cell_1000007.steering.json"));
}

TEST(CellReports, CellParameterReportKeysOnTwoFieldsWithoutApBlock) {
  ReportRun run =
      runExample("reports/cell/cell_parameter.xml", "TarnelCellParameterReport", 1000007);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(
      "CellName\tCELL00007\nstatus\te\n"
      "face[07]\t0\nazimuth[07]\t7\nbeamwidth[07]\t75\ngain_db[07]\t14.7\n"
      "face[1127]\t1\nazimuth[1127]\t127\nbeamwidth[1127]\t75\ngain_db[1127]\t14.7\n"
      "face[2247]\t2\nazimuth[2247]\t247\nbeamwidth[2247]\t75\ngain_db[2247]\t14.7\n"
      "face[021]\t0\nlaf_number[021]\t21\nchannel[021]\t321\npower_dbm[021]\t41.5\n"
      "face[122]\t1\nlaf_number[122]\t22\nchannel[122]\t322\npower_dbm[122]\t41.5\n"
      "face[223]\t2\nlaf_number[223]\t23\nchannel[223]\t323\npower_dbm[223]\t41.5\n",
      run.file("cell_parameter_1000007.txt"));
  EXPECT_EQ(steering("CellFaceParameters.xlt", "cell_parameter_1000007.txt"),
            run.file("cell_parameter_1000007.steering.json"));
}

TEST(Cell3GReport, CellWith3GDataIsReported) {
  ReportRun run = runExample("reports/cell/cell3g.xml", "TarnelCell3GReport", 1000007);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(std::string(kCell7Block) +
                "umts_band\tII\ncarriers\t2\nrnc_id\t100\nscrambling_code\t259\n"
                "pilot_power_dbm\t30.0\nhsdpa\tyes\n",
            run.file("cell3g_1000007.txt"));
  EXPECT_EQ(steering("Cell3G.xlt", "cell3g_1000007.txt"), run.file("cell3g_1000007.steering.json"));
}

TEST(Cell3GReport, SeriesThreeCellIsSkipped) {
  ReportRun run = runExample("reports/cell/cell3g.xml", "TarnelCell3GReport", 1000005);
  EXPECT_EQ(4, run.result.exitCode);
  EXPECT_EQ(
      "tarnel-report: skipped: Cell is not series 2, series 5, series 6, series 7, series 8 or "
      "series 9: cell3g\n  context: Checking series of cell\n",
      run.result.err);
  EXPECT_FALSE(fileExists(run.folder + "/cell3g_1000005.txt"));
}

TEST(Cell3GReport, CellWithout3GDataIsSkipped) {
  ReportRun run = runExample("reports/cell/cell3g.xml", "TarnelCell3GReport", 1000016);
  EXPECT_EQ(4, run.result.exitCode);
  EXPECT_EQ(
      "tarnel-report: skipped: No 3G data: cell3g\n"
      "  context: select count(instance_id) from tnl_cfg_cell3g where instance_id = 1000016\n",
      run.result.err);
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
  std::string message = std::string("tarnel-report: message: Query (") + kCount7Sql +
                        ") failed for report: cell3g\n  context: PREBUILD\n";
  ASSERT_GE(r.err.size(), message.size()) << r.err;
  EXPECT_EQ(message, r.err.substr(r.err.size() - message.size()));
  EXPECT_NE(std::string::npos, r.err.find("no such table: tnl_cfg_cell3g")) << r.err;
}

}  // namespace
