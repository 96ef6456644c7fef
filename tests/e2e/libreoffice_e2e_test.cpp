// Workbooks opened by a real spreadsheet application: reports run on the demo
// database with --workbook, the workbooks generated or filled from
// examples/templates (--templates), then LibreOffice (headless, its own
// profile) computes the templates' formulas and writes every sheet as CSV.
// Skipped without soffice, unless TARNEL_REQUIRE_LIBREOFFICE or CI is set.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

// The workbook of a run of examples/reports/<config>.xml for `instance`, with `extra` arguments.
std::string workbookOf(const std::string& config, const char* className, int instance, std::vector<std::string> extra) {
  extra.push_back("--workbook");
  ReportRun run = runExample("reports/" + config + ".xml", className, instance, extra);
  EXPECT_EQ(run.result.exitCode, 0) << run.result.err;
  EXPECT_EQ(run.result.err, "");  // every template found
  return run.folder + "/" + config.substr(config.find('/') + 1) + "_" + std::to_string(instance) + ".xlsx";
}

TEST(WorkbooksInLibreOffice, FilledAndGeneratedWorkbooksShowTheReportsValues) {
  SKIP_OR_FAIL_WITHOUT(notInstalled("soffice"), "TARNEL_REQUIRE_LIBREOFFICE");
  const std::vector<std::string> filled{"--templates", examplePath("templates")};
  std::string out = sheetsAsCsv({workbookOf("cell/cell", "TarnelCellReport", 1000004, filled),
                                 workbookOf("series2/s2_cell_diagram", "TarnelS2CellDiagramReport", 1000004, filled),
                                 workbookOf("laf/neighbour_list", "TarnelLAFNeighbourListReport", 4000003, filled),
                                 workbookOf("series2/s2_cell_diagram", "TarnelS2CellDiagramReport", 1000040, {})});
  ASSERT_NE(out, "");

  EXPECT_EQ(linesOf(readFile(out + "/cell_1000004-Cell Parameters.csv")),
            (std::vector<std::string>{
                "Cell parameters of CELL00004,,,", "Data file cell_1000004.txt,,,", ",,,", "Parameter,Value,,",
                "Cell,CELL00004,,", "Cell number,4,,", "Series,2,,", "Status,e,,", "Latitude,40 19  1 N,,",
                "Longitude, 75 11 21 W,,", "TRX count,5,,", "Load data,LD0,,", "CCH reselect offset,5,,",
                "CCH hysteresis,6,,", "LMT threshold (dBm),-96,,", "MAHO enabled,yes,,", ",,,", "Antenna faces,,,",
                "Antenna,Face,Azimuth,Height (m)", "map-CELL00004-0,0,4,24.0", "map-CELL00004-1,1,124,24.0",
                "map-CELL00004-2,2,244,24.0", ",,,", ",,,", ",,,"}));

  std::vector<std::string> site = linesOf(readFile(out + "/s2_cell_diagram_1000004-Site.csv"));
  ASSERT_EQ(site.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(site.begin() + 7, site.end()),
            (std::vector<std::string>{"Frame,Technology,Template,Sheet", "0,s2m,s2m.xlt,Frame 0",
                                      "1,s2,s2gr.xlt,Frame 1", "2,ptmg,s2ptmg.xlt,Frame 2", "3,u,UNEQUIPPED,",
                                      "4,u,UNEQUIPPED,", "5,u,UNEQUIPPED,"}));
  // Frame 0 draws the placement lines of frame 0: the last unit placed at a
  // position wins, its status beside it.
  std::vector<std::string> frame0 = linesOf(readFile(out + "/s2_cell_diagram_1000004-Frame 0.csv"));
  ASSERT_EQ(frame0.size(), 30u);
  EXPECT_EQ(frame0[0], "Frame 0: series-2 mini primary frame (s2m),,,,,,,,");
  EXPECT_EQ(frame0[5], "2,T1 1,e,,,,,,");
  EXPECT_EQ(frame0[7], "4,,,312as e 1,tg:100 tm:1,,,704de e 9,");
  EXPECT_EQ(frame0[24], "21,,,RTU amps,e,,,,");
  EXPECT_EQ(linesOf(readFile(out + "/s2_cell_diagram_1000004-Frame 1.csv"))[0],
            "Frame 1: series-2 growth frame (s2),,,,,,,,");

  std::vector<std::string> neighbours = linesOf(readFile(out + "/neighbour_list_4000003-Neighbour List.csv"));
  ASSERT_GE(neighbours.size(), 32u);
  EXPECT_EQ(neighbours[0], "Neighbour list of CELL00001-V0,,,,,,,,");
  EXPECT_EQ(std::vector<std::string>(neighbours.begin() + 26, neighbours.begin() + 32),
            (std::vector<std::string>{"Neighbours,,,,,,,,", "#,Cell,Sector,LAF,Antennas,HO priority,,,",
                                      "1,2,A,CELL00002-V0,7f [0123456] ,1,,34,2A",
                                      "2,3,B,CELL00003-V1,nil [xxxxxxx] ,2,,39,3B",
                                      "3,4,C,CELL00004-V2,0 [xxxxxxx] ,3,,44,4C", ",,,,,,,1048577,"}));

  // The generated workbook.
  std::vector<std::string> report = linesOf(readFile(out + "/s2_cell_diagram_1000040-Report.csv"));
  ASSERT_GE(report.size(), 20u);
  EXPECT_EQ(std::vector<std::string>(report.begin(), report.begin() + 4),
            (std::vector<std::string>{"s2_cell_diagram: CELL00040,,,,", "Class,TarnelS2CellDiagramReport,,,",
                                      "Entity,Cell,,,", "Instance,CELL00040 (1000040),,,"}));
  EXPECT_EQ(std::vector<std::string>(report.begin() + 15, report.begin() + 19),
            (std::vector<std::string>{"Equipment placement,,,,", "Kind,Frame,Shelf,Position,Text",
                                      "L,0,1,6,BBA - BIU", "ST,0,1,6,BBA:0 g"}));
  std::vector<std::string> frame = linesOf(readFile(out + "/s2_cell_diagram_1000040-Frame 2.csv"));
  ASSERT_EQ(frame.size(), 30u);  // a unit's lines are lines of the file
  EXPECT_EQ(std::vector<std::string>(frame.begin() + 6, frame.begin() + 12),
            (std::vector<std::string>{"Position,Shelf 1,Shelf 2", "1,\"CCC 4", "e CCC-A s:3", "tg:104 24 0",
                                      "m:n d:4 z:0\",", "2,,"}));
}

}  // namespace
