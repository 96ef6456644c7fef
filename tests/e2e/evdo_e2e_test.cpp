// End-to-end runs of the 1xEV reports on the demo network, with the clock
// pinned by SOURCE_DATE_EPOCH so that the run-time stamps are exact.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kEpoch[] = "1700000000";
const char kRunTime[] = "Tue Nov 14 22:13:20 2023\n";

// runExample with SOURCE_DATE_EPOCH set.
ReportRun runPinned(const std::string& config, const std::string& className, int instance) {
  ReportRun run;
  run.folder = freshFolder();
  std::vector<std::string> args{"run",      "--db",          demoDatabase(),
                                "--config", examplePath(config), "--queries",
                                examplePath("queries/common.xml"), "--class",
                                className,  "--instance",    std::to_string(instance),
                                "--out",    run.folder};
  run.result = runTarnel(args, {{"SOURCE_DATE_EPOCH", kEpoch}});
  return run;
}

const char kElementHeadings[] =
    "1xEV\tParameter\tDescription\tValue\t\n"
    "Group\tName\t\t\t\n";

std::string runTimeBlock(const std::string& collected) {
  return std::string("\n\truntime\tRuntime\t") + kRunTime +
         "\tcol_date\tDate/Time of Data Collection\t=\"" + collected + "\"\n\n";
}

const char kNeighbourHeadings[] =
    "Nbr\tNbr\tService\tNbr\tNbr\tNbr Sector\tPN\tAzimuth\t\n"
    "Rank\tType\tNode\t1xEVBTS\tSector\tName\tOffset\t(deg)\t\n";

std::string controlBlock(int rows) {
  return "\n_VELM_Control_Information_\n"
         "NumIndCols\t8\n"
         "NumIndRows\t" +
         std::to_string(rows) +
         "\n"
         "PageOrient\t2\n"
         "CR_RptHeaderStart\t1\n"
         "CR_RptHeaderEnd\t5\n"
         "CR_ColHeaderStart\t7\n"
         "CR_ColHeaderEnd\t8\n"
         "CR_DataRowStart\t9\n"
         "CR_DataColStart\t1\n"
         "_VELM_Control_Information_\n";
}

TEST(EvdoE2e, BaseStationWithoutElevation) {
  ReportRun run = runPinned("reports/evdo/evdo_bts.xml", "Tarnel1xEVReport", 7000005);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(std::string("evdo_bts\n") + kElementHeadings + runTimeBlock("2024-05-13 05:30:00") +
                "entity data\tentity\tEntity\t1xEVBTS\n"
                "entity data\tname\tName\tBTS0005\n"
                "entity data\tlabel\tLabel\t1xEV BTS 5\n"
                "entity data\tinstance_id\tInstance\t7000005\n"
                "\n"
                "1xEVBTS\tbts_id\t1xEV BTS ID\t5\n"
                "1xEVBTS\tservicenode_id\tService Node\t1\n"
                "1xEVBTS\tfms_frame_id\tFMS Frame ID\t5\n"
                "1xEVBTS\tsystem_id\tSystem ID\t1001\n"
                "1xEVBTS\tlatitude\tLatitude Deg Min Sec Dir\t40 20 47 N\n"
                "1xEVBTS\tlongitude\tLongitude Deg Min Sec Dir\t 75 48 14 W\n"
                "1xEVBTS\televation\tElevation\t0\n"
                "1xEVBTS\tsw_release\tSoftware Release\tR27.1\n"
                "1xEVBTS\tcarriers\tCarriers\t3\n"
                "1xEVBTS\tcell\tCo-located Cell\tCELL00017\n"
                "Sector\t1\tBTS0005-1\tSector 5/1\n"
                "Sector\t2\tBTS0005-2\tSector 5/2\n"
                "Sector\t3\tBTS0005-3\tSector 5/3\n",
            run.file("evdo_bts_7000005.txt"));
  EXPECT_EQ(
      "{\n"
      "  \"runMacro\": 5,\n"
      "  \"PFTemplateName\": \"1xEVBTS.xlt\",\n"
      "  \"PFDataFileName\": \"evdo_bts_7000005.txt\"\n"
      "}\n",
      run.file("evdo_bts_7000005.steering.json"));
}

TEST(EvdoE2e, SectorWithNeighbours) {
  ReportRun run = runPinned("reports/evdo/evdo_neighbours.xml", "Tarnel1xEVNbrReport", 7500012);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(std::string("evdo_neighbours\n"
                        "Service Node: 1 FMS Frame ID: 1 1xEVBTS: 1 Name: BTS0001 "
                        "Label: 1xEV BTS 1 Runtime: ") +
                kRunTime +
                "Sector: 2 Sector Name: BTS0001-2 Sector Label: Sector 1/2\n"
                "System ID: 1001\n"
                "Date/Time of Data Collection: 2024-05-09 01:30:00\n"
                "\n" +
                kNeighbourHeadings +
                "1\tintra-BTS\t1\t1\t1\tBTS0001-1\t48\t1\n"
                "2\tintra-BTS\t1\t1\t3\tBTS0001-3\t72\t241\n"
                "3\tinter-BTS\t1\t2\t2\tBTS0002-2\t96\t122\n" +
                controlBlock(3),
            run.file("evdo_neighbours_7500012.txt"));
  EXPECT_EQ(
      "{\n"
      "  \"runMacro\": 6,\n"
      "  \"CRSDataFile\": \"evdo_neighbours_7500012.txt\"\n"
      "}\n",
      run.file("evdo_neighbours_7500012.steering.json"));
}

TEST(EvdoE2e, SectorWithoutNeighbours) {
  ReportRun run = runPinned("reports/evdo/evdo_neighbours.xml", "Tarnel1xEVNbrReport", 7500013);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(std::string("evdo_neighbours\n"
                        "Service Node: 1 FMS Frame ID: 1 1xEVBTS: 1 Runtime: ") +
                kRunTime +
                "Sector: 3\n"
                "System ID: 1001\n"
                "Sector doesn't have any Neighbor Sectors.\n"
                "\n" +
                kNeighbourHeadings + controlBlock(0),
            run.file("evdo_neighbours_7500013.txt"));
}

}  // namespace
