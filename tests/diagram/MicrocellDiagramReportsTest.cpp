// The concrete diagrams: refusal rules, templates, the stored procedures each
// writes, and the order of their steering data.
#include <gtest/gtest.h>

#include "engine/ReportRegistry.h"
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
const char kNoMicrocell[] = "There are no equipped microcells for cell CELL00003";

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
                         const std::string& templ = "Excel=\"Diagram.xls\" mc=\"MC.xlt\" "
                                                    "mcTDMA=\"MCT.xlt\" mcCDMA=\"MCC.xlt\"") {
    harness.configure(config(templ));
    scriptCell(harness, rcs, statuses);
    auto report = harness.make<T>("Diagram");
    return harness.run(*report, kCell);
  }

  // The ReportMessageException the run of T throws; fails the test when none.
  template <typename T>
  ReportMessageException refusal(const std::vector<std::string>& statuses) {
    try {
      run<T>(statuses);
    } catch (const ReportMessageException& e) {
      return e;
    }
    ADD_FAILURE() << "the cell was accepted";
    return ReportMessageException("");
  }

  ReportHarness harness;
};

// PivCell, KelBTS and the combined site.

TEST_F(DiagramReportTest, AnEquippedFourthPositionIsEnough) {
  TarnelSteeringData steering = run<TarnelPivCellDiagramReport>({"u", "u", "u", "e", "u", "u"});
  EXPECT_EQ(std::string(kSelectText) + "P\t1\nP\t2\n", harness.data.text(0));
  EXPECT_EQ(entries({{"runMacro", "4"},
                     {"PFBrivantWorkbook", "Diagram.xls"},
                     {"PFBrivantTemplate", "MC.xlt"},
                     {"PFFrtech0", "ptm"},
                     {"PFDataFileName", "stream0.txt"},
                     {"PFMcell1", "u"},
                     {"PFMcell2", "u"},
                     {"PFMcell3", "u"},
                     {"PFMcell4", "e"},
                     {"PFMcell5", "u"},
                     {"PFMcell6", "u"}}),
            steering.calls());
}

TEST_F(DiagramReportTest, PositionsFiveAndSixAreNotAssemblages) {
  ReportMessageException e = refusal<TarnelPivCellDiagramReport>({"u", "u", "u", "u", "e", "e"});
  EXPECT_EQ(kNoAssemblage, e.message());
  EXPECT_EQ(std::vector<RWEString>{"PREBUILD"}, e.contexts());
}

TEST_F(DiagramReportTest, UpperCaseEIsNotEquipped) {
  ReportMessageException e = refusal<TarnelKelBTSDiagramReport>({"E", "E", "E", "E", "u", "u"});
  EXPECT_EQ(kNoAssemblage, e.message());
  EXPECT_EQ(std::vector<RWEString>{"PREBUILD"}, e.contexts());
}

TEST_F(DiagramReportTest, CombinedSiteRefusesWithoutContext) {
  ReportMessageException e =
      refusal<TarnelPivCellKelBTSDiagramReport>({"u", "u", "u", "u", "u", "u"});
  EXPECT_EQ(kNoAssemblage, e.message());
  EXPECT_TRUE(e.contexts().empty());
}

TEST_F(DiagramReportTest, MissingStatusesReadAsEmpty) {
  TarnelSteeringData steering = run<TarnelPivCellDiagramReport>({"u", "e"});
  EXPECT_EQ("e", steering.value("PFMcell2"));
  EXPECT_EQ("", steering.value("PFMcell6"));
  EXPECT_TRUE(steering.has("PFMcell6"));
  EXPECT_EQ(kNoAssemblage, refusal<TarnelPivCellDiagramReport>({}).message());
}

TEST_F(DiagramReportTest, KelBTSWritesItsOwnProcedure) {
  run<TarnelKelBTSDiagramReport>({"e", "u", "u", "u", "u", "u"});
  EXPECT_EQ(std::string(kSelectText) + "K\t1\n", harness.data.text(0));
}

TEST_F(DiagramReportTest, CombinedSiteSeparatesItsTwoProceduresByAnEmptyLine) {
  harness.connection.script("select * from temp.cpiv_rows", {});
  run<TarnelPivCellKelBTSDiagramReport>({"e", "u", "u", "u", "u", "u"});
  EXPECT_EQ(std::string(kSelectText) + "\nK\t1\n", harness.data.text(0));
  std::vector<std::string> executed = harness.connection.executed();
  EXPECT_EQ(callOf("CPIV_Rows"), executed.at(executed.size() - 4));
  EXPECT_EQ(callOf("KBTS_Rows"), executed.at(executed.size() - 2));
}

TEST_F(DiagramReportTest, MissingTemplateAttributeGivesAnEmptyTemplate) {
  TarnelSteeringData steering =
      run<TarnelPivCellDiagramReport>({"e", "u", "u", "u", "u", "u"}, "1", "Excel=\"D.xls\"");
  EXPECT_TRUE(steering.has("PFBrivantTemplate"));
  EXPECT_EQ("", steering.value("PFBrivantTemplate"));
}

TEST_F(DiagramReportTest, MissingProcedureElementIsAConfigurationError) {
  harness.configure(config("Excel=\"D.xls\"", "KBTS"));
  scriptCell(harness, "1", {"e", "u", "u", "u", "u", "u"});
  auto report = harness.make<TarnelPivCellKelBTSDiagramReport>();
  try {
    harness.run(*report, kCell);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ("Stored procedure element not defined in config file: STOREDPROCS.KBTS",
              e.message());
  }
}

// Series-3 cell.

TEST_F(DiagramReportTest, SeriesThreeAcceptsAnEquippedSixthPosition) {
  TarnelSteeringData steering = run<TarnelS3CellDiagramReport>({"u", "u", "u", "u", "u", "e"});
  EXPECT_EQ("e", steering.value("PFMcell6"));
  EXPECT_EQ(entries({{"runMacro", "4"},
                     {"PFBrivantWorkbook", "Diagram.xls"},
                     {"PFBrivantTemplate", "MCC.xlt"},
                     {"PFFrtech0", "ptm"},
                     {"PFDataFileName", "stream0.txt"},
                     {"PFMcell1", "u"},
                     {"PFMcell2", "u"},
                     {"PFMcell3", "u"},
                     {"PFMcell4", "u"},
                     {"PFMcell5", "u"},
                     {"PFMcell6", "e"}}),
            steering.calls());
}

TEST_F(DiagramReportTest, SeriesThreeWithoutEquippedMicrocellIsRefused) {
  ReportMessageException e = refusal<TarnelS3CellDiagramReport>({"u", "u", "u", "u", "u", "u"});
  EXPECT_EQ(kNoMicrocell, e.message());
  EXPECT_EQ(std::vector<RWEString>{"PREBUILD"}, e.contexts());
  EXPECT_TRUE(harness.data.calls.end() ==
              std::find(harness.data.calls.begin(), harness.data.calls.end(),
                        "openStream Diagram"));
}

TEST_F(DiagramReportTest, RcsTechnologyTwoIsTdma) {
  TarnelSteeringData steering = run<TarnelS3CellDiagramReport>({"e", "u", "u", "u", "u", "u"}, "2");
  EXPECT_EQ("MCT.xlt", steering.value("PFBrivantTemplate"));
  EXPECT_EQ(std::string(kSelectText) + "elevation\t1\t0.0000000000000000\nT\t1\n",
            harness.data.text(0));
}

class NonTdmaRcsTest : public DiagramReportTest,
                       public ::testing::WithParamInterface<const char*> {};

TEST_P(NonTdmaRcsTest, AnyOtherRcsTechnologyIsCdma) {
  TarnelSteeringData steering =
      run<TarnelS3CellDiagramReport>({"e", "u", "u", "u", "u", "u"}, GetParam());
  EXPECT_EQ("MCC.xlt", steering.value("PFBrivantTemplate"));
  EXPECT_EQ(std::string(kSelectText) + "elevation\t1\t0.0000000000000000\nC\t1\n",
            harness.data.text(0));
}

INSTANTIATE_TEST_SUITE_P(RcsTech, NonTdmaRcsTest, ::testing::Values("1", "", "22", "02"));

// Micro/mini cell.

TEST_F(DiagramReportTest, MicrominiHasOneEquippedPositionWithoutAsking) {
  TarnelSteeringData steering = run<TarnelMicrominiCellDiagramReport>({"u", "u", "u", "u", "u", "u"});
  EXPECT_EQ(std::string(kSelectText) + "D\t1\n", harness.data.text(0));
  for (const std::string& sql : harness.connection.executed()) {
    EXPECT_EQ(std::string::npos, sql.find("GetMCStatus"));
  }
  EXPECT_EQ(entries({{"PFTemplate0", "MC.xlt"},
                     {"PFFrtech0", "ptm"},
                     {"PFDataFileName", "stream0.txt"},
                     {"runMacro", "4"},
                     {"PFBrivantWorkbook", "Diagram.xls"},
                     {"PFBrivantTemplate", "MC.xlt"},
                     {"PFMcell1", "e"},
                     {"PFMcell2", "u"},
                     {"PFMcell3", "u"},
                     {"PFMcell4", "u"},
                     {"PFMcell5", "u"},
                     {"PFMcell6", "u"}}),
            steering.calls());
}

TEST(DiagramRegistry, EveryDiagramClassIsRegistered) {
  for (const char* name : {"TarnelBrivantDiagramReport", "TarnelPivCellDiagramReport",
                           "TarnelKelBTSDiagramReport", "TarnelPivCellKelBTSDiagramReport",
                           "TarnelS3CellDiagramReport", "TarnelMicrominiCellDiagramReport"}) {
    EXPECT_NE(nullptr, ReportRegistry::library().find(name)) << name;
  }
}

}  // namespace
