// End-to-end runs of the diagram reports on the demo database (60 cells,
// seed 7). Series 4 cells are PivCell sites, 5 KelBTS, 6 both, 3 series-3
// cells with microcells, 7 micro or mini cells.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

std::string cellRow(int n, int series, const std::string& fr0tech, const std::string& rcs) {
  return "CellName\tCELL" + std::string(5 - std::to_string(n).size(), '0') + std::to_string(n) +
         "\ncell_number\t" + std::to_string(n) + "\nseries\t" + std::to_string(series) +
         "\nfr0tech\t" + fr0tech + "\nrcs_tech\t" + rcs + "\n";
}

// The steering data of the PivCell family and the series-3 diagram.
std::string diagramSteering(const std::string& templ, const std::string& fr0tech,
                            const std::string& dataFile, const std::vector<std::string>& mc) {
  std::string text = "{\n  \"runMacro\": 4,\n  \"PFBrivantWorkbook\": \"BrivantDiagram.xls\",\n"
                     "  \"PFBrivantTemplate\": \"" + templ + "\",\n  \"PFFrtech0\": \"" + fr0tech +
                     "\",\n  \"PFDataFileName\": \"" + dataFile + "\",\n";
  for (size_t i = 0; i < mc.size(); ++i) {
    text += "  \"PFMcell" + std::to_string(i + 1) + "\": \"" + mc[i] + "\"" +
            (i + 1 < mc.size() ? ",\n" : "\n");
  }
  return text + "}\n";
}

TEST(DiagramReports, PivCellWritesItsAssemblages) {
  ReportRun run = runExample("reports/diagram/pivcell.xml", "TarnelPivCellDiagramReport", 1000006);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ("", run.result.err);
  EXPECT_EQ(cellRow(6, 4, "pcm", "1") +
                "CPIV\t1\te\tPIV-6-1\nCPIV\t2\tu\tPIV-6-2\nCPIV\t3\tu\tPIV-6-3\nCPIV\t4\tu\tPIV-6-4\n",
            run.file("pivcell_1000006.txt"));
  EXPECT_EQ(diagramSteering("PivCellDiagram.xlt", "pcm", "pivcell_1000006.txt",
                            {"e", "u", "u", "u", "u", "u"}),
            run.file("pivcell_1000006.steering.json"));
}

TEST(DiagramReports, KelBTSWritesItsEquippedPositions) {
  ReportRun run = runExample("reports/diagram/kelbts.xml", "TarnelKelBTSDiagramReport", 1000007);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(cellRow(7, 5, "ddgf", "2") + "KBTS\t4\te\tBTS-7-4\n", run.file("kelbts_1000007.txt"));
  EXPECT_EQ(diagramSteering("KelBTSDiagram.xlt", "ddgf", "kelbts_1000007.txt",
                            {"u", "u", "u", "e", "u", "u"}),
            run.file("kelbts_1000007.steering.json"));
}

TEST(DiagramReports, CombinedSiteSeparatesPivCellAndKelBTSRows) {
  ReportRun run = runExample("reports/diagram/pivcell_kelbts.xml",
                             "TarnelPivCellKelBTSDiagramReport", 1000017);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(cellRow(17, 6, "rg", "1") +
                "CPIV\t1\tu\tPIV-17-1\nCPIV\t2\tu\tPIV-17-2\nCPIV\t3\tu\tPIV-17-3\n"
                "CPIV\t4\te\tPIV-17-4\n\nKBTS\t4\te\tBTS-17-4\n",
            run.file("pivcell_kelbts_1000017.txt"));
}

TEST(DiagramReports, SeriesThreeTdmaCellWritesAntennasThenTdmaRows) {
  ReportRun run = runExample("reports/diagram/s3cell.xml", "TarnelS3CellDiagramReport", 1000014);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(cellRow(14, 3, "ptmc", "2") +
                "ant_name\t1\tmap-CELL00014-MC1\nant_label\t1\tMicrocell 14/1\n"
                "lat\t1\t40  7 16 N\nlon\t1\t 75 40 47 W\nelevation\t1\t0.0000000000000000\n"
                "ant_name\t2\tmap-CELL00014-MC2\nant_label\t2\tMicrocell 14/2\n"
                "lat\t2\t40  8  1 N\nlon\t2\t 75 41 50 W\nelevation\t2\t17.0\n"
                "FRAME\t0\tptmc\tradios 6\nFRAME\t1\tptmg\tradios 7\n"
                "MCTDMA\t1\ttdma\tchannels 2\nMCTDMA\t2\ttdma\tchannels 4\n",
            run.file("s3cell_1000014.txt"));
  EXPECT_EQ(diagramSteering("S3TDMADiagram.xlt", "ptmc", "s3cell_1000014.txt",
                            {"e", "e", "u", "u", "u", "u"}),
            run.file("s3cell_1000014.steering.json"));
}

TEST(DiagramReports, SeriesThreeCdmaCellWritesAntennasThenCdmaRows) {
  ReportRun run = runExample("reports/diagram/s3cell.xml", "TarnelS3CellDiagramReport", 1000023);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(cellRow(23, 3, "ccm", "1") +
                "ant_name\t5\tmap-CELL00023-MC5\nant_label\t5\tMicrocell 23/5\n"
                "lat\t5\t40 53  2 N\nlon\t5\t 75 10 31 W\nelevation\t5\t24.5\n"
                "ant_name\t6\tmap-CELL00023-MC6\nant_label\t6\tMicrocell 23/6\n"
                "lat\t6\t40 53 47 N\nlon\t6\t 75 11 34 W\nelevation\t6\t27.0\n"
                "FRAME\t0\tccm\tcarriers 3\nFRAME\t1\tcccm\tcarriers 1\n"
                "MCCDMA\t5\tcdma\tcarriers 2\nMCCDMA\t6\tcdma\tcarriers 1\n",
            run.file("s3cell_1000023.txt"));
  EXPECT_NE(std::string::npos,
            run.file("s3cell_1000023.steering.json").find("\"PFBrivantTemplate\": \"S3CDMADiagram.xlt\""));
}

TEST(DiagramReports, MicrominiCellHasOneEquippedMicrocell) {
  ReportRun run =
      runExample("reports/diagram/micromini.xml", "TarnelMicrominiCellDiagramReport", 1000009);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(cellRow(9, 7, "cbs", "1") + "frame0\tcbs\nrcs\t1\nradios\t10\nmicrocell\t1\n",
            run.file("micromini_1000009.txt"));
  EXPECT_EQ(
      "{\n  \"PFTemplate0\": \"MicrominiDiagram.xlt\",\n  \"PFFrtech0\": \"cbs\",\n"
      "  \"PFDataFileName\": \"micromini_1000009.txt\",\n  \"runMacro\": 4,\n"
      "  \"PFBrivantWorkbook\": \"BrivantDiagram.xls\",\n"
      "  \"PFBrivantTemplate\": \"MicrominiDiagram.xlt\",\n  \"PFMcell1\": \"e\",\n"
      "  \"PFMcell2\": \"u\",\n  \"PFMcell3\": \"u\",\n  \"PFMcell4\": \"u\",\n"
      "  \"PFMcell5\": \"u\",\n  \"PFMcell6\": \"u\"\n}\n",
      run.file("micromini_1000009.steering.json"));
}

// Refusals: exit code 3 and the message for the user, nothing written.

TEST(DiagramRefusals, PivCellWithOnlyPositionsFiveAndSixEquipped) {
  ReportRun run = runExample("reports/diagram/pivcell.xml", "TarnelPivCellDiagramReport", 1000008);
  EXPECT_EQ(3, run.result.exitCode);
  EXPECT_EQ(
      "tarnel-report: message: There are no equipped assemblages for cell CELL00008\n"
      "  context: PREBUILD\n",
      run.result.err);
  EXPECT_FALSE(fileExists(run.folder + "/pivcell_1000008.txt"));
}

TEST(DiagramRefusals, CombinedSiteRefusesWithoutContext) {
  ReportRun run = runExample("reports/diagram/pivcell_kelbts.xml",
                             "TarnelPivCellKelBTSDiagramReport", 1000008);
  EXPECT_EQ(3, run.result.exitCode);
  EXPECT_EQ("tarnel-report: message: There are no equipped assemblages for cell CELL00008\n",
            run.result.err);
}

TEST(DiagramRefusals, SeriesThreeWithoutEquippedMicrocell) {
  ReportRun run = runExample("reports/diagram/s3cell.xml", "TarnelS3CellDiagramReport", 1000005);
  EXPECT_EQ(3, run.result.exitCode);
  EXPECT_EQ(
      "tarnel-report: message: There are no equipped microcells for cell CELL00005\n"
      "  context: PREBUILD\n",
      run.result.err);
  EXPECT_FALSE(fileExists(run.folder + "/s3cell_1000005.txt"));
}

}  // namespace
