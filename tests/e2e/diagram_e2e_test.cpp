// End-to-end runs of the diagram reports on the demo database (60 cells,
// seed 7). Series 4 cells are PivCell sites, 5 KelBTS, 6 both, 3 series-3
// cells with microcells, 7 micro or mini cells.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

// The report and steering files equal tests/e2e/expected/diagram/<file>.
TEST(DiagramReports, WrittenFilesEqualTheExpectedFiles) {
  const struct {
    std::string config;  // stem of examples/reports/diagram/<config>.xml
    const char* className;
    int instance;
  } cases[] = {
      {"pivcell", "TarnelPivCellDiagramReport", 1000006},
      {"kelbts", "TarnelKelBTSDiagramReport", 1000007},
      // PivCell rows, an empty line, KelBTS rows.
      {"pivcell_kelbts", "TarnelPivCellKelBTSDiagramReport", 1000017},
      // Antennas then TDMA rows, then antennas then CDMA rows.
      {"s3cell", "TarnelS3CellDiagramReport", 1000014},
      {"s3cell", "TarnelS3CellDiagramReport", 1000023},
      {"micromini", "TarnelMicrominiCellDiagramReport", 1000009},
  };
  for (const auto& c : cases) {
    ReportRun run = runExample("reports/diagram/" + c.config + ".xml", c.className, c.instance);
    ASSERT_EQ(0, run.result.exitCode) << run.result.err;
    EXPECT_EQ("", run.result.err);
    std::string stem = c.config + "_" + std::to_string(c.instance);
    for (const std::string& f : {stem + ".txt", stem + ".steering.json"}) {
      EXPECT_EQ(expectedText("diagram/" + f), run.file(f)) << f;
    }
  }
}

// Refusals: exit code 3 and the message for the user, nothing written.
TEST(DiagramRefusals, ExitThreeWithTheMessageAndNoFile) {
  const std::string noAssemblage =
      "tarnel-report: message: There are no equipped assemblages for cell CELL00008\n";
  const struct {
    std::string config;
    const char* className;
    int instance;
    std::string err;
  } cases[] = {
      // Only positions five and six equipped.
      {"pivcell", "TarnelPivCellDiagramReport", 1000008, noAssemblage + "  context: PREBUILD\n"},
      {"pivcell_kelbts", "TarnelPivCellKelBTSDiagramReport", 1000008, noAssemblage},
      {"s3cell", "TarnelS3CellDiagramReport", 1000005,
       "tarnel-report: message: There are no equipped microcells for cell CELL00005\n"
       "  context: PREBUILD\n"},
  };
  for (const auto& c : cases) {
    ReportRun run = runExample("reports/diagram/" + c.config + ".xml", c.className, c.instance);
    EXPECT_EQ(3, run.result.exitCode) << c.config;
    EXPECT_EQ(c.err, run.result.err);
    EXPECT_FALSE(fileExists(run.folder + "/" + c.config + "_" + std::to_string(c.instance) + ".txt"));
  }
}

}  // namespace
