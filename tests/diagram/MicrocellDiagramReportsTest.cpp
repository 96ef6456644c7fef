// The concrete diagrams: refusal rules, templates, the stored procedures each
// writes, and the order of their steering data.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "reports/diagram/TarnelKelBTSDiagramReport.h"
#include "reports/diagram/TarnelMicrominiCellDiagramReport.h"
#include "reports/diagram/TarnelPivCellDiagramReport.h"
#include "reports/diagram/TarnelPivCellKelBTSDiagramReport.h"
#include "reports/diagram/TarnelS3CellDiagramReport.h"
#include "tests/diagram/DiagramTestSupport.h"

namespace {

using namespace diagramtest;

const char kNoAssemblage[] = "There are no equipped assemblages for cell CELL00003";
const char kAllTemplates[] = "Excel=\"Diagram.xls\" mc=\"MC.xlt\" mcTDMA=\"MCT.xlt\" mcCDMA=\"MCC.xlt\"";

class DiagramReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness.connection.script("select * from temp.cpiv_rows", {{"P", "1"}, {"P", "2"}});
    harness.connection.script("select * from temp.kbts_rows", {{"K", "1"}});
    harness.connection.script("select * from temp.cdbs_rows", {{"D", "1"}});
    harness.connection.script("select * from temp.cdma_rows", {{"C", "1"}});
    harness.connection.script("select * from temp.tdma_rows", {{"T", "1"}});
    harness.connection.script("select * from temp.microant", {{"elevation", "1", ""}});
  }

  template <typename T>
  TarnelSteeringData run(const std::vector<std::string>& statuses, const std::string& rcs = "1",
                         const std::string& templ = kAllTemplates) {
    harness.configure(config(templ));
    scriptCell(harness, rcs, statuses);
    auto report = harness.make<T>("Diagram");
    return harness.run(*report, kCell);
  }

  // The message and contexts of the refusal of T; "" when the cell is accepted.
  template <typename T>
  std::string refusal(const std::vector<std::string>& statuses) {
    try {
      run<T>(statuses);
      return "";
    } catch (const ReportMessageException& e) {
      return e.asString().str();
    }
  }

  std::string stream() const { return harness.data.text(0).substr(sizeof(kSelectText) - 1); }

  ReportHarness harness;
};

std::vector<TarnelSteeringData::Entry> diagramSteering(const char* templ,
                                                       const std::vector<const char*>& mc) {
  std::vector<TarnelSteeringData::Entry> calls =
      entries({{"runMacro", "4"}, {"PFBrivantWorkbook", "Diagram.xls"},
               {"PFBrivantTemplate", templ}, {"PFFrtech0", "ptm"},
               {"PFDataFileName", "stream0.txt"}});
  for (size_t i = 0; i < mc.size(); ++i) calls.emplace_back("PFMcell" + std::to_string(i + 1), mc[i]);
  return calls;
}

// PivCell, KelBTS and the combined site.

TEST_F(DiagramReportTest, AnEquippedFourthPositionIsEnough) {
  TarnelSteeringData steering = run<TarnelPivCellDiagramReport>({"u", "u", "u", "e", "u", "u"});
  EXPECT_EQ("P\t1\nP\t2\n", stream());
  EXPECT_EQ(diagramSteering("MC.xlt", {"u", "u", "u", "e", "u", "u"}), steering.calls());
}

TEST_F(DiagramReportTest, OnlyALowerCaseEAmongTheFirstFourCounts) {
  std::string refused = std::string(kNoAssemblage) + "\nPREBUILD";
  EXPECT_EQ(refused, refusal<TarnelPivCellDiagramReport>({"u", "u", "u", "u", "e", "e"}));
  EXPECT_EQ(refused, refusal<TarnelKelBTSDiagramReport>({"E", "E", "E", "E", "u", "u"}));
  EXPECT_EQ(refused, refusal<TarnelKelBTSDiagramReport>({}));
  EXPECT_EQ(kNoAssemblage, refusal<TarnelPivCellKelBTSDiagramReport>({"u", "u", "u", "u", "u", "u"}));
}

TEST_F(DiagramReportTest, MissingStatusesReadAsEmpty) {
  TarnelSteeringData steering = run<TarnelKelBTSDiagramReport>({"u", "e"});
  EXPECT_EQ("K\t1\n", stream());
  EXPECT_EQ(diagramSteering("MC.xlt", {"u", "e", "", "", "", ""}), steering.calls());
}

TEST_F(DiagramReportTest, CombinedSiteSeparatesItsTwoProceduresByAnEmptyLine) {
  harness.connection.script("select * from temp.cpiv_rows", {});
  run<TarnelPivCellKelBTSDiagramReport>({"e", "u", "u", "u", "u", "u"});
  EXPECT_EQ("\nK\t1\n", stream());
}

TEST_F(DiagramReportTest, MissingTemplateAttributeGivesAnEmptyTemplate) {
  TarnelSteeringData steering =
      run<TarnelPivCellDiagramReport>({"e", "u", "u", "u", "u", "u"}, "1", "Excel=\"Diagram.xls\"");
  EXPECT_EQ(diagramSteering("", {"e", "u", "u", "u", "u", "u"}), steering.calls());
}

// Series-3 cell.

TEST_F(DiagramReportTest, SeriesThreeNeedsOneEquippedMicrocellOfSix) {
  TarnelSteeringData steering = run<TarnelS3CellDiagramReport>({"u", "u", "u", "u", "u", "e"});
  EXPECT_EQ(diagramSteering("MCC.xlt", {"u", "u", "u", "u", "u", "e"}), steering.calls());
  EXPECT_EQ("There are no equipped microcells for cell CELL00003\nPREBUILD",
            refusal<TarnelS3CellDiagramReport>({"u", "u", "u", "u", "u", "u"}));
}

TEST_F(DiagramReportTest, RcsTechnologyTwoIsTdma) {
  TarnelSteeringData steering = run<TarnelS3CellDiagramReport>({"e", "u", "u", "u", "u", "u"}, "2");
  EXPECT_EQ("MCT.xlt", steering.value("PFBrivantTemplate"));
  EXPECT_EQ("elevation\t1\t0.0000000000000000\nT\t1\n", stream());
}

TEST_F(DiagramReportTest, AnyOtherRcsTechnologyIsCdma) {
  TarnelSteeringData steering = run<TarnelS3CellDiagramReport>({"e", "u", "u", "u", "u", "u"}, "");
  EXPECT_EQ("MCC.xlt", steering.value("PFBrivantTemplate"));
  EXPECT_EQ("elevation\t1\t0.0000000000000000\nC\t1\n", stream());
}

// Micro/mini cell.

TEST_F(DiagramReportTest, MicrominiHasOneEquippedPositionWithoutAsking) {
  TarnelSteeringData steering = run<TarnelMicrominiCellDiagramReport>({"u", "u", "u", "u", "u", "u"});
  EXPECT_EQ("D\t1\n", stream());
  for (const std::string& sql : harness.connection.executed()) {
    EXPECT_EQ(std::string::npos, sql.find("GetMCStatus"));
  }
  std::vector<TarnelSteeringData::Entry> expected =
      entries({{"PFTemplate0", "MC.xlt"}, {"PFFrtech0", "ptm"}, {"PFDataFileName", "stream0.txt"},
               {"runMacro", "4"}, {"PFBrivantWorkbook", "Diagram.xls"},
               {"PFBrivantTemplate", "MC.xlt"}, {"PFMcell1", "e"}, {"PFMcell2", "u"},
               {"PFMcell3", "u"}, {"PFMcell4", "u"}, {"PFMcell5", "u"}, {"PFMcell6", "u"}});
  EXPECT_EQ(expected, steering.calls());
}

}  // namespace
