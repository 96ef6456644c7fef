// End-to-end runs of the diagram reports on the demo database (60 cells,
// seed 7). Series 4 cells are PivCell sites, 5 KelBTS, 6 both, 3 series-3
// cells with microcells, 7 micro or mini cells.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

// A run that writes exits 0 and its files equal tests/e2e/expected/diagram/<file>;
// a refused run exits 3 with the message for the user and writes nothing.
TEST(DiagramReports, RunsOnTheDemoNetwork) {
  const std::string noAssemblage =
      "tarnel-report: message: There are no equipped assemblages for cell CELL00008\n";
  const struct {
    std::string config;  // stem of examples/reports/diagram/<config>.xml
    const char* className;
    int instance;
    int exitCode;
    std::string err;
  } cases[] = {
      {"pivcell", "TarnelPivCellDiagramReport", 1000006, 0, ""},
      {"kelbts", "TarnelKelBTSDiagramReport", 1000007, 0, ""},
      // PivCell rows, an empty line, KelBTS rows.
      {"pivcell_kelbts", "TarnelPivCellKelBTSDiagramReport", 1000017, 0, ""},
      // Antennas then TDMA rows, then antennas then CDMA rows.
      {"s3cell", "TarnelS3CellDiagramReport", 1000014, 0, ""},
      {"s3cell", "TarnelS3CellDiagramReport", 1000023, 0, ""},
      {"micromini", "TarnelMicrominiCellDiagramReport", 1000009, 0, ""},
      // Only positions five and six equipped; the combined site names no context.
      {"pivcell", "TarnelPivCellDiagramReport", 1000008, 3, noAssemblage + "  context: PREBUILD\n"},
      {"pivcell_kelbts", "TarnelPivCellKelBTSDiagramReport", 1000008, 3, noAssemblage},
      {"s3cell", "TarnelS3CellDiagramReport", 1000005, 3,
       "tarnel-report: message: There are no equipped microcells for cell CELL00005\n"
       "  context: PREBUILD\n"},
  };
  for (const auto& c : cases) {
    ReportRun run = runExample("reports/diagram/" + c.config + ".xml", c.className, c.instance);
    EXPECT_EQ(c.exitCode, run.result.exitCode) << c.config << " " << c.instance;
    EXPECT_EQ(c.err, run.result.err);
    std::string stem = c.config + "_" + std::to_string(c.instance);
    if (c.exitCode != 0) {
      EXPECT_FALSE(fileExists(run.folder + "/" + stem + ".txt"));
      continue;
    }
    for (const std::string& f : {stem + ".txt", stem + ".steering.json"}) {
      EXPECT_EQ(expectedText("diagram/" + f), run.file(f)) << f;
    }
  }
}

}  // namespace
