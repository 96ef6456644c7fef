// End-to-end runs of the instance reports on the demo database.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kCellBlock[] =
    "CellName\tCELL00003\ncell_number\t3\nseries\t1\nstatus\te\n"
    "latitude\t40 14 16 N\nlongitude\t 75  8 31 W\ntrx_count\t4\nload_data\tLD3\n";
const char kAntennaBlock[] =
    "ANT_face[0]\t0\nANT_azimuth[0]\t3\nANT_beamwidth[0]\t75\nANT_gain_db[0]\t14.3\n"
    "ANT_face[1]\t1\nANT_azimuth[1]\t123\nANT_beamwidth[1]\t75\nANT_gain_db[1]\t14.3\n"
    "ANT_face[2]\t2\nANT_azimuth[2]\t243\nANT_beamwidth[2]\t75\nANT_gain_db[2]\t14.3\n";

TEST(InstanceReports, CchReselectionWritesCellAntennaThenSelects) {
  ReportRun run = runExample("reports/instance/cch_reselection.xml", "TarnelCCHReselectionReport",
                             1000003);
  ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
  EXPECT_EQ(run.result.err, "");
  EXPECT_EQ(run.file("cch_reselection_1000003.txt"),
            std::string(kCellBlock) + kAntennaBlock +
                "cch_reselect_offset\t2\ncch_hysteresis\t5\n"
                "NBR_face[1]\t0\nNBR_azimuth[1]\t3\nNBR_face[2]\t1\nNBR_azimuth[2]\t123\n"
                "NBR_face[3]\t2\nNBR_azimuth[3]\t243\n");
  EXPECT_EQ(run.file("cch_reselection_1000003.steering.json"),
            "{\n  \"runMacro\": 0,\n  \"PFTemplateName\": \"CCHReselection.xlt\",\n"
            "  \"PFDataFileName\": \"cch_reselection_1000003.txt\"\n}\n");
}

TEST(InstanceReports, LmtWritesTheCellBlockWithoutAntennas) {
  ReportRun run = runExample("reports/instance/lmt.xml", "TarnelLMTReport", 1000003);
  ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
  EXPECT_EQ(run.file("lmt_1000003.txt"),
            std::string(kCellBlock) + "lmt_threshold\t-97\ntrx_count\t4\n");
  EXPECT_NE(run.file("lmt_1000003.steering.json").find("\"PFDataFileName\": \"lmt_1000003.txt\""),
            std::string::npos);
}

TEST(InstanceReports, MahoAddsTheVoiceLafBlock) {
  ReportRun run = runExample("reports/instance/maho.xml", "TarnelMAHOReport", 1000003);
  ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
  std::string voiceLafs;
  for (int face = 0; face < 3; ++face) {
    std::string k = "[" + std::to_string(face) + "]\t";
    voiceLafs += "VLAF_face" + k + std::to_string(face) + "\nVLAF_laf_number" + k +
                 std::to_string(9 + face) + "\nVLAF_sat_code" + k + std::to_string(face) +
                 "\nVLAF_power_dbm" + k + "39.5\nVLAF_channel" + k + std::to_string(309 + face) + "\n";
  }
  EXPECT_EQ(run.file("maho_1000003.txt"), std::string(kCellBlock) + kAntennaBlock + voiceLafs +
                                              "maho_enabled\tno\ncch_hysteresis\t5\n");
}

TEST(InstanceReports, EcpBracketsItsTwoNumbers) {
  ReportRun run = runExample("reports/instance/ecp.xml", "TarnelECPReport", 3000002);
  ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
  EXPECT_EQ(run.file("ecp_3000002.txt"),
            "ECPName\tECP2\necp_number\t2\ntrmostdn\t(202)174-5838\nota_trn\t(302)306-9458\n"
            "release\tR22.2\n");
  ReportRun first = runExample("reports/instance/ecp.xml", "TarnelECPReport", 3000001);
  std::string text = first.file("ecp_3000001.txt");
  EXPECT_EQ(text.substr(0, text.find("CELL_cell_number[2]")),
            "ECPName\tECP1\necp_number\t1\ntrmostdn\t(201)137-7919\nota_trn\t(301)253-4729\n"
            "release\tR21.1\nCELL_cell_number[1]\t1\nCELL_series[1]\t8\nCELL_status[1]\te\n");
}

TEST(InstanceReports, Ecp3gWritesOnlyItsSelects) {
  ReportRun run = runExample("reports/instance/ecp3g.xml", "TarnelECP3GReport", 3000001);
  ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
  EXPECT_EQ(run.file("ecp3g_3000001.txt"),
            "ecp_number\t1\ncells\t60\nseries[2]\t2\ncells[2]\t7\nseries[5]\t5\ncells[5]\t6\n"
            "series[6]\t6\ncells[6]\t6\nseries[7]\t7\ncells[7]\t6\nseries[8]\t8\ncells[8]\t7\n"
            "series[9]\t9\ncells[9]\t7\n");
}

TEST(InstanceReports, SetupFiltersSelectsAndChoosesTheTemplateBySeries) {
  ReportRun one = runExample("reports/instance/setup.xml", "TarnelSetupReport", 1000003);
  ASSERT_EQ(one.result.exitCode, 0) << one.result.err;
  EXPECT_EQ(one.file("setup_1000003.txt"),
            std::string(kCellBlock) + kAntennaBlock + "ecp_id\t3000001\ntrx_count\t4\n");
  EXPECT_NE(one.file("setup_1000003.steering.json").find("\"SetupSeries1.xlt\""), std::string::npos);
  ReportRun nine = runExample("reports/instance/setup.xml", "TarnelSetupReport", 1000002);
  ASSERT_EQ(nine.result.exitCode, 0) << nine.result.err;
  std::string text = nine.file("setup_1000002.txt");
  EXPECT_EQ(text.substr(text.find("ecp_id")), "ecp_id\t3000001\ntrx_count\t3\n");
  EXPECT_NE(nine.file("setup_1000002.steering.json").find("\"Setup.xlt\""), std::string::npos);
}

TEST(InstanceReports, ScenarioFiltersMultiRowQueries) {
  ReportRun run = runExample("reports/instance/cch_reselection.xml", "TarnelCCHReselectionReport",
                             1000003, {"--scenario", "nobody's; drop table tnl_cfg_cell"});
  ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
  EXPECT_EQ(run.file("cch_reselection_1000003.txt"),
            std::string(kCellBlock) + "cch_reselect_offset\t2\ncch_hysteresis\t5\n");
  ReportRun north = runExample("reports/instance/cch_reselection.xml",
                               "TarnelCCHReselectionReport", 1000003, {"--scenario", "north"});
  EXPECT_NE(north.file("cch_reselection_1000003.txt").find(kAntennaBlock), std::string::npos);
}

}  // namespace
