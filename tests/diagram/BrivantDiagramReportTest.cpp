// TarnelBrivantDiagramReport: the cell technologies, the stored-procedure
// rows, the microcell statuses and the microcell antenna rows.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "reports/diagram/TarnelBrivantDiagramReport.h"
#include "tests/diagram/DiagramTestSupport.h"

namespace {

using namespace diagramtest;

class BrivantDiagramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness.configure(config());
    scriptCell(harness, "1", {"u", "e", "u", "u", "u", "u"});
    report = harness.make<TarnelBrivantDiagramReport>("Diagram");
  }

  // Runs the build (selects only) and clears the record of statements.
  void built() {
    harness.build(*report, kCell);
    harness.connection.clearExecuted();
  }

  std::string written() const { return harness.data.text(0).substr(sizeof(kSelectText) - 1); }

  ReportHarness harness;
  std::unique_ptr<TarnelBrivantDiagramReport> report;
};

TEST_F(BrivantDiagramTest, BuildWritesTheSelectsWithoutApBlock) {
  TarnelSteeringData steering = harness.run(*report, kCell);
  EXPECT_EQ(kSelectText, harness.data.text(0));
  EXPECT_EQ(entries({{"PFTemplate0", ""}, {"PFFrtech0", "ptm"}, {"PFDataFileName", "stream0.txt"}}),
            steering.calls());
}

TEST_F(BrivantDiagramTest, CellRowWithoutTwoValuesIsRefused) {
  const Rows shapes[] = {{}, {{"ptm"}}, {{"ptm", "2", "x"}}};
  for (const Rows& rows : shapes) {
    harness.connection.script(kTechSql, rows);
    TarnelReportInfo info(kCell, "");
    report->configure(info);
    try {
      report->preBuild();
      ADD_FAILURE() << "accepted a row of " << (rows.empty() ? 0 : rows[0].size()) << " values";
    } catch (const ReportMessageException& e) {
      EXPECT_EQ(RWEString("Query (") + kTechSql + ") failed for report: Diagram", e.message());
      EXPECT_EQ(std::vector<RWEString>{"PREBUILD"}, e.contexts());
    }
  }
}

TEST_F(BrivantDiagramTest, StoredProcRowsAreTabSeparatedLines) {
  harness.connection.script("select * from temp.cpiv_rows", {{"A", "1", ""}, {"B", "x|y"}});
  built();
  report->doCDiagramStoredProc("CPIV_Rows", "CPIVResult");
  EXPECT_EQ("A\t1\t\nB\tx|y\n", written());
  EXPECT_EQ((std::vector<std::string>{callOf("CPIV_Rows"), "select * from temp.cpiv_rows"}),
            harness.connection.executed());
}

TEST_F(BrivantDiagramTest, EmptyResultWritesNothingAfterTheProcedure) {
  built();
  report->doCDiagramStoredProc("CPIV_Rows", "CPIVResult");
  EXPECT_EQ("", written());
  EXPECT_EQ(callOf("CPIV_Rows"), harness.connection.executed().at(0));
}

TEST_F(BrivantDiagramTest, NewLineIsAnEmptyLine) {
  built();
  report->sendNewLineToStream();
  EXPECT_EQ("\n", written());
}

TEST_F(BrivantDiagramTest, UndefinedResultQueryIsAConfigurationError) {
  built();
  try {
    report->doCDiagramStoredProc("CPIV_Rows", "NoSuchQuery");
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ("Query not defined in config file: NoSuchQuery", e.message());
  }
}

TEST(BrivantDiagramConfig, MissingStoredProcElementIsNamed) {
  for (const char* key : {"CDMA", "MICROANT"}) {
    ReportHarness harness;
    harness.configure(config("Excel=\"D.xls\"", key));
    scriptCell(harness, "1", {});
    auto report = harness.make<TarnelBrivantDiagramReport>();
    harness.build(*report, kCell);
    try {
      report->doCBrivmCell();
      FAIL() << "no exception without " << key;
    } catch (const KvException& e) {
      EXPECT_EQ(std::string("Stored procedure element not defined in config file: STOREDPROCS.") +
                    key,
                e.message().str());
    }
  }
}

// getMcStatus.

TEST_F(BrivantDiagramTest, StatusesComeFromTheOutputArgumentsStripped) {
  harness.connection.scriptOutputs(kGetMcStatus, {" e", "u ", " u ", "", "e", "x"});
  RWEStringCollection statuses;
  report->getMcStatus(statuses, kCell);
  EXPECT_EQ((std::vector<RWEString>{"e", "u", "u", "", "e", "x"}),
            std::vector<RWEString>(statuses.begin(), statuses.end()));
  EXPECT_EQ(std::vector<std::string>{kGetMcStatusCall}, harness.connection.executed());
}

TEST_F(BrivantDiagramTest, FewerStatusesAreNotPadded) {
  harness.connection.scriptOutputs(kGetMcStatus, {"e", "u"});
  RWEStringCollection statuses;
  report->getMcStatus(statuses, kCell);
  EXPECT_EQ(2u, statuses.entries());
}

TEST_F(BrivantDiagramTest, FailedStatusCallNamesProcedureAndReport) {
  harness.connection.fail(kGetMcStatus, "no such table: tnl_mc_status");
  RWEStringCollection statuses;
  try {
    report->getMcStatus(statuses, kCell);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ("no such table: tnl_mc_status", e.message());
    EXPECT_EQ(std::vector<RWEString>{
                  "Calling stored procedure tnl_cfg_reports.GetMCStatus for report \"Diagram\""},
              e.contexts());
  }
}

// Microcell antenna rows.

const char kMicroAntSql[] = "select * from temp.microant";

TEST_F(BrivantDiagramTest, LatitudeAndLongitudeAreWrittenInDegreesMinutesSeconds) {
  // 5 degrees 7 minutes 9 seconds; 75 degrees 30 minutes 0 seconds west.
  harness.connection.script(kMicroAntSql,
                            {{"lat", "1", "5.11916667"}, {"lon", "1", "-75.5"}});
  built();
  report->brivMicroAnt();
  EXPECT_EQ("lat\t1\t 5  7  9 N\nlon\t1\t 75 30  0 W\n", written());
  EXPECT_EQ(callOf("MicroAnt"), harness.connection.executed().at(0));
}

TEST_F(BrivantDiagramTest, KeysMatchWithoutCase) {
  harness.connection.script(kMicroAntSql, {{"LAT", "2", "-33.5"}, {"Lon", "2", "151.25"},
                                           {"ELEVATION", "2", ""}});
  built();
  report->brivMicroAnt();
  EXPECT_EQ("LAT\t2\t33 30  0 S\nLon\t2\t151 15  0 E\nELEVATION\t2\t0.0000000000000000\n",
            written());
}

TEST_F(BrivantDiagramTest, AntennaIdsBecomeMapNameAndLabel) {
  harness.data.names[5000001] = "MC-ANT-1";
  harness.connection.script(kMicroAntSql,
                            {{"ant_name", "1", "5000001"}, {"ant_label", "1", "5000001"}});
  built();
  report->brivMicroAnt();
  EXPECT_EQ("ant_name\t1\tmap-MC-ANT-1\nant_label\t1\tlabel-MC-ANT-1\n", written());
}

TEST_F(BrivantDiagramTest, OnlyAnEmptyElevationIsReplaced) {
  harness.connection.script(kMicroAntSql, {{"elevation", "1", ""}, {"elevation", "2", "12.5"}});
  built();
  report->brivMicroAnt();
  EXPECT_EQ("elevation\t1\t0.0000000000000000\nelevation\t2\t12.5\n", written());
}

TEST_F(BrivantDiagramTest, OtherRowsAreWrittenAsReadInThreeColumns) {
  harness.connection.script(kMicroAntSql,
                            {{"height", "1", "5.5", "dropped"}, {"short", "1"}, {"latitude", "1", "40.5"}});
  built();
  report->brivMicroAnt();
  EXPECT_EQ("height\t1\t5.5\nlatitude\t1\t40.5\n", written());
}

TEST_F(BrivantDiagramTest, CdmaSectionIsAntennaRowsThenCdmaRows) {
  harness.connection.script(kMicroAntSql, {{"elevation", "1", "3"}});
  harness.connection.script("select * from temp.cdma_rows", {{"C", "1"}, {"C", "2"}});
  built();
  report->doCBrivmCell();
  EXPECT_EQ("elevation\t1\t3\nC\t1\nC\t2\n", written());
  EXPECT_EQ((std::vector<std::string>{callOf("MicroAnt"), kMicroAntSql, callOf("CDMA_Rows"),
                                      "select * from temp.cdma_rows"}),
            harness.connection.executed());
}

TEST_F(BrivantDiagramTest, TdmaSectionWithoutAntennaRowsIsTheTdmaRows) {
  harness.connection.script("select * from temp.tdma_rows", {{"T", "1"}});
  built();
  report->doTBrivmCell();
  EXPECT_EQ("T\t1\n", written());
  EXPECT_EQ(callOf("TDMA_Rows"), harness.connection.executed().at(2));
}

}  // namespace
