// TarnelBrivantDiagramReport: the cell technologies, the stored-procedure
// rows, the microcell statuses and the microcell antenna rows.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "reports/diagram/TarnelBrivantDiagramReport.h"
#include "tests/diagram/DiagramTestSupport.h"

namespace {

using namespace diagramtest;

const char kMicroAntSql[] = "select * from temp.microant";

class BrivantDiagramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness.configure(config());
    scriptCell(harness, "1", {});
    report = harness.make<TarnelBrivantDiagramReport>("Diagram");
  }

  // Builds (the select alone), runs `write` and returns what it wrote.
  template <typename Write>
  std::string written(Write write) {
    harness.build(*report, kCell);
    harness.connection.clearExecuted();
    write();
    return harness.data.text(0).substr(sizeof(kSelectText) - 1);
  }

  std::string microAnt(Rows rows) {
    harness.connection.script(kMicroAntSql, std::move(rows));
    return written([this] { report->brivMicroAnt(); });
  }

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
  for (const Rows& rows : {Rows{}, Rows{{"ptm"}}, Rows{{"ptm", "2", "x"}}}) {
    harness.connection.script(kTechSql, rows);
    TarnelReportInfo info(kCell, "");
    report->configure(info);
    try {
      report->preBuild();
      ADD_FAILURE() << "accepted";
    } catch (const ReportMessageException& e) {
      EXPECT_EQ(RWEString("Query (") + kTechSql + ") failed for report: Diagram\nPREBUILD",
                e.asString());
    }
  }
}

TEST_F(BrivantDiagramTest, StoredProcRowsAreTabSeparatedLinesAfterTheProcedure) {
  harness.connection.script("select * from temp.cpiv_rows", {{"A", "1", ""}, {"B", "x|y"}});
  EXPECT_EQ("A\t1\t\nB\tx|y\n",
            written([this] { report->doCDiagramStoredProc("CPIV_Rows", "CPIVResult"); }));
  EXPECT_EQ((std::vector<std::string>{callOf("CPIV_Rows"), "select * from temp.cpiv_rows"}),
            harness.connection.executed());
}

TEST_F(BrivantDiagramTest, UndefinedResultQueryIsAConfigurationError) {
  try {
    written([this] { report->doCDiagramStoredProc("CPIV_Rows", "NoSuchQuery"); });
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
      ADD_FAILURE() << "no exception without " << key;
    } catch (const KvException& e) {
      EXPECT_EQ(std::string("Stored procedure element not defined in config file: STOREDPROCS.") +
                    key,
                e.message().str());
    }
  }
}

// getMcStatus.

TEST_F(BrivantDiagramTest, StatusesAreTheOutputArgumentsStripped) {
  harness.connection.scriptOutputs(kGetMcStatus, {" e", "u ", " u ", "", "E"});
  RWEStringCollection statuses;
  report->getMcStatus(statuses, kCell);
  EXPECT_EQ((std::vector<RWEString>{"e", "u", "u", "", "E"}),
            std::vector<RWEString>(statuses.begin(), statuses.end()));
  EXPECT_EQ(std::vector<std::string>{kGetMcStatusCall}, harness.connection.executed());
}

TEST_F(BrivantDiagramTest, FailedStatusCallNamesProcedureAndReport) {
  harness.connection.fail(kGetMcStatus, "no such table: tnl_mc_status");
  RWEStringCollection statuses;
  try {
    report->getMcStatus(statuses, kCell);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ(
        "no such table: tnl_mc_status\n"
        "Calling stored procedure tnl_cfg_reports.GetMCStatus for report \"Diagram\"",
        e.asString());
  }
}

// Microcell antenna rows.

TEST_F(BrivantDiagramTest, LatitudeAndLongitudeInDegreesMinutesSeconds) {
  // 5 degrees 7 minutes 9 seconds north; 75 degrees 30 minutes west.
  EXPECT_EQ("lat\t1\t 5  7  9 N\nlon\t1\t 75 30  0 W\n",
            microAnt({{"lat", "1", "5.11916667"}, {"lon", "1", "-75.5"}}));
}

TEST_F(BrivantDiagramTest, KeysMatchWithoutCase) {
  EXPECT_EQ("LAT\t2\t33 30  0 S\nLon\t2\t151 15  0 E\nELEVATION\t2\t0.0000000000000000\n",
            microAnt({{"LAT", "2", "-33.5"}, {"Lon", "2", "151.25"}, {"ELEVATION", "2", ""}}));
}

TEST_F(BrivantDiagramTest, AntennaIdsBecomeMapNameAndLabel) {
  harness.data.names[5000001] = "MC-1";
  EXPECT_EQ("ant_name\t1\tmap-MC-1\nant_label\t1\tlabel-MC-1\n",
            microAnt({{"ant_name", "1", "5000001"}, {"ant_label", "1", "5000001"}}));
}

TEST_F(BrivantDiagramTest, OtherValuesAreWrittenAsReadInThreeColumns) {
  EXPECT_EQ("elevation\t2\t12.5\nheight\t1\t5.5\nlatitude\t1\t40.5\n",
            microAnt({{"elevation", "2", "12.5"}, {"height", "1", "5.5", "dropped"},
                      {"short", "1"}, {"latitude", "1", "40.5"}}));
}

TEST_F(BrivantDiagramTest, CdmaSectionIsAntennaRowsThenCdmaRows) {
  harness.connection.script(kMicroAntSql, {{"elevation", "1", "3"}});
  harness.connection.script("select * from temp.cdma_rows", {{"C", "1"}, {"C", "2"}});
  EXPECT_EQ("elevation\t1\t3\nC\t1\nC\t2\n", written([this] { report->doCBrivmCell(); }));
  EXPECT_EQ((std::vector<std::string>{callOf("MicroAnt"), kMicroAntSql, callOf("CDMA_Rows"),
                                      "select * from temp.cdma_rows"}),
            harness.connection.executed());
}

TEST_F(BrivantDiagramTest, TdmaSectionWithoutAntennaRowsIsTheTdmaRows) {
  harness.connection.script("select * from temp.tdma_rows", {{"T", "1"}});
  EXPECT_EQ("T\t1\n", written([this] { report->doTBrivmCell(); }));
  EXPECT_EQ(callOf("TDMA_Rows"), harness.connection.executed().at(2));
}

}  // namespace
