// End-to-end runs of the LAF reports on the demo database: one run per class
// with its exact stream and steering data. The voice-LAF reports all run on
// the voice LAF of cell 17, face 0 (series 6); the antenna-face reports on
// the antenna of cell 14, face 1 (series 3, with CDMA and 3G equipment).
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

const int kVoiceLaf = 4000051;
const int kAntennaFace = 2000043;

std::string steering(const std::string& templateName, const std::string& dataFile) {
  return "{\n  \"runMacro\": 0,\n  \"PFTemplateName\": \"" + templateName +
         "\",\n  \"PFDataFileName\": \"" + dataFile + "\"\n}\n";
}

struct LafRun {
  const char* config;
  const char* className;
  int instance;
  const char* templateName;
};

const LafRun kRuns[] = {
    {"voice_laf", "TarnelLAFReport", kVoiceLaf, "voicelaf.xlt"},
    {"server_group", "TarnelLAFServerGroupReport", kVoiceLaf, "laf.xlt"},
    {"neighbour_list", "TarnelLAFNeighbourListReport", kVoiceLaf, "nghbr.xlt"},
    {"cdma_neighbour_list", "TarnelLAFCDMANeighbourListReport", kVoiceLaf, "cnbr.xlt"},
    {"cdma_dh_neighbour_list", "TarnelLAF_CDMA_DHNeighbourListReport", kVoiceLaf, "cdhonbr.xlt"},
    {"antenna_face", "TarnelLAFAntennaFaceReport", kAntennaFace, "antrpt.xlt"},
    {"antenna_face_3g", "TarnelLAFAntennaFace3GReport", kAntennaFace, "antface3g.xlt"},
};

void PrintTo(const LafRun& r, std::ostream* os) { *os << r.className; }

class LafE2eReport : public ::testing::TestWithParam<LafRun> {};

TEST_P(LafE2eReport, StreamAndSteeringOfTheReport) {
  const LafRun& r = GetParam();
  ReportRun run =
      runExample(std::string("reports/laf/") + r.config + ".xml", r.className, r.instance);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  std::string base = r.config + ("_" + std::to_string(r.instance));
  EXPECT_EQ(expectedText("laf/" + base + ".txt"), run.file(base + ".txt"));
  EXPECT_EQ(steering(r.templateName, base + ".txt"), run.file(base + ".steering.json"));
}

INSTANTIATE_TEST_SUITE_P(Reports, LafE2eReport, ::testing::ValuesIn(kRuns),
                         [](const ::testing::TestParamInfo<LafRun>& info) {
                           return std::string(info.param.className);
                         });

TEST(LafE2e, MahoReportWritesNoStream) {
  ReportRun run = runExample("reports/laf/laf_maho.xml", "TarnelLAFMahoReport", kVoiceLaf);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_FALSE(fileExists(run.folder + "/laf_maho_4000051.txt"));
  EXPECT_EQ(steering("", ""), run.file("laf_maho_4000051.steering.json"));
}

TEST(LafE2e, VoiceLafReportOnAnAntennaFaceFindsNoCell) {
  ReportRun run = runExample("reports/laf/voice_laf.xml", "TarnelLAFReport", kAntennaFace);
  EXPECT_EQ(1, run.result.exitCode);
  // The message is the engine's; the contexts after it are the command's.
  const std::string message =
      "tarnel-report: error: CellSeries query should only return exactly one row for "
      "VoiceLAF: 2000043\n";
  EXPECT_EQ(message, run.result.err.substr(0, message.size()));
}

}  // namespace
