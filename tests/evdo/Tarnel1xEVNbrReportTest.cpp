#include "reports/evdo/Tarnel1xEVNbrReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/KvException.h"
#include "tests/evdo/FixedClock.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kHeaderSql[] = "select * from temp.nbr_header";
const char kBodySql[] = "select * from temp.nbr";
const char kSectorSql[] =
    "select distinct ent.servicenode_Id, ent.fms_Frame_Id, ent.bts_id, ent.btsSector_Id, "
    "ent.system_id from tnl_ent_1xEVBTSSector ent where ent.instance_id = 7500012";
const char kFormat[] =
    "  <FORMATTING><FORMAT PageOrient=\"2\" CR_RptHeaderStart=\"1\" CR_RptHeaderEnd=\"5\"\n"
    "    CR_ColHeaderStart=\"6\" CR_ColHeaderEnd=\"-7\" CR_DataRowStart=\"8rows\"/></FORMATTING>\n";

std::string config(const std::string& format = kFormat) {
  return std::string(
             "<REPORT Entity=\"1xEVBTSSector\">\n"
             "  <TEMPLATES><TEMPLATE Excel=\"NotUsed.xlt\"/></TEMPLATES>\n"
             "  <HEADINGS>\n"
             "    <FIRST><COLUMN Name=\"Nbr\"/><COLUMN Name=\"BTS\"/><COLUMN Name=\"Sector\"/>"
             "</FIRST>\n"
             "    <SECOND><COLUMN Name=\"Rank\"/><COLUMN Name=\"Id\"/></SECOND>\n"
             "  </HEADINGS>\n"
             "  <STOREDPROCS><IXEV proc=\"GetNbr\" resultheader=\"NbrHeader\" "
             "resultbody=\"NbrBody\"/></STOREDPROCS>\n") +
         format +
         "  <QUERIES>\n"
         "    <QUERY Name=\"NbrHeader\" Select=\"select * from temp.nbr_header\"/>\n"
         "    <QUERY Name=\"NbrBody\" Select=\"select * from temp.nbr\"/>\n"
         "  </QUERIES>\n"
         "</REPORT>\n";
}

// The control block for 3 heading columns, `rows` rows and kFormat.
std::string controlBlock(int rows) {
  return "\n_VELM_Control_Information_\n"
         "NumIndCols\t3\n"
         "NumIndRows\t" +
         std::to_string(rows) +
         "\n"
         "PageOrient\t2\n"
         "CR_RptHeaderStart\t1\n"
         "CR_RptHeaderEnd\t5\n"
         "CR_ColHeaderStart\t6\n"
         "CR_ColHeaderEnd\t-7\n"
         "CR_DataRowStart\t8\n"
         "CR_DataColStart\t0\n"
         "_VELM_Control_Information_\n";
}

const char kHeadingLines[] = "Nbr\tBTS\tSector\t\nRank\tId\t\n";

class Evdo1xEVNbrReportTest : public ::testing::Test {
 protected:
  std::string run(const std::string& xml = config()) {
    harness.configure(xml);
    auto report = harness.make<Tarnel1xEVNbrReport>("evdo_neighbours");
    steering = harness.run(*report, 7500012);
    return harness.data.text(0);
  }
  bool ran(const std::string& sql) const {
    const auto& executed = harness.connection.executed();
    return std::find(executed.begin(), executed.end(), sql) != executed.end();
  }

  FixedClock clock;
  ReportHarness harness;
  TarnelSteeringData steering;
};

// --- sector with neighbours ---

TEST_F(Evdo1xEVNbrReportTest, HeaderHeadingsRowsAndControlBlock) {
  harness.connection.script(kHeaderSql, {{"3", "4", "12", "BTS0012", "BTS 12", "2", "BTS0012-2",
                                          "Sector 12/2", "1001", "2024-05-08 06:00:00"}});
  harness.connection.script(kBodySql, {{"1", "12", "1"}, {"2", "13", "2", "inter-BTS"}});
  EXPECT_EQ(std::string("evdo_neighbours\n"
                        "Service Node: 3 FMS Frame ID: 4 1xEVBTS: 12 Name: BTS0012 Label: BTS 12"
                        " Runtime: ") +
                FixedClock::kRunTime +
                "Sector: 2 Sector Name: BTS0012-2 Sector Label: Sector 12/2\n"
                "System ID: 1001\n"
                "Date/Time of Data Collection: 2024-05-08 06:00:00\n"
                "\n" +
                kHeadingLines +
                "1\t12\t1\n"
                "2\t13\t2\tinter-BTS\n" +
                controlBlock(2),
            run());
  EXPECT_FALSE(ran(kSectorSql));
  EXPECT_EQ("CALL tnl_cfg_reports.GetNbr(7500012)", harness.connection.executed()[0]);
}

TEST_F(Evdo1xEVNbrReportTest, EmptyBodyRowIsAnEmptyLine) {
  harness.connection.script(kHeaderSql, {{"3"}});
  harness.connection.script(kBodySql, {{"a"}, {}, {"b"}});
  std::string text = run();
  EXPECT_NE(std::string::npos, text.find(std::string(kHeadingLines) + "a\n\nb\n" +
                                         controlBlock(3)));
}

// --- sector without neighbours: the fallback header ---

TEST_F(Evdo1xEVNbrReportTest, FallbackHeaderWritesOnlyRowsOfFiveEntries) {
  harness.connection.script(kSectorSql, {{"3", "4", "12", "2", "1001"},
                                         {"1", "2", "3", "4"},
                                         {"1", "2", "3", "4", "5", "6"},
                                         {"5", "6", "7", "8", "9"}});
  harness.connection.script(kBodySql, {{"never"}});
  std::string runTime = FixedClock::kRunTime;
  EXPECT_EQ("evdo_neighbours\n"
            "Service Node: 3 FMS Frame ID: 4 1xEVBTS: 12 Runtime: " + runTime +
                "Sector: 2\n"
                "System ID: 1001\n"
                "Sector doesn't have any Neighbor Sectors.\n"
                "\n"
                "Service Node: 5 FMS Frame ID: 6 1xEVBTS: 7 Runtime: " + runTime +
                "Sector: 8\n"
                "System ID: 9\n"
                "Sector doesn't have any Neighbor Sectors.\n"
                "\n" +
                kHeadingLines + controlBlock(0),
            run());
  EXPECT_TRUE(ran(kSectorSql));
  EXPECT_FALSE(ran(kBodySql));
}

TEST_F(Evdo1xEVNbrReportTest, UnknownSectorGivesTitleHeadingsAndControlBlock) {
  EXPECT_EQ(std::string("evdo_neighbours\n") + kHeadingLines + controlBlock(0), run());
}

// --- configuration errors ---

TEST_F(Evdo1xEVNbrReportTest, MissingStoredProcElementIsAConfigurationError) {
  harness.configure("<REPORT Entity=\"1xEVBTSSector\"/>");
  auto report = harness.make<Tarnel1xEVNbrReport>();
  try {
    harness.run(*report, 7500012);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ("Element not defined in config file: STOREDPROCS.IXEV", e.message());
  }
}

// --- steering data ---

TEST_F(Evdo1xEVNbrReportTest, SteeringDataIsMacroSixAndDataFileWithoutTemplate) {
  run();
  ASSERT_EQ(2u, steering.calls().size());
  EXPECT_EQ(TarnelSteeringData::Entry("runMacro", "6"), steering.calls()[0]);
  EXPECT_EQ(TarnelSteeringData::Entry("CRSDataFile", "stream0.txt"), steering.calls()[1]);
}

}  // namespace
