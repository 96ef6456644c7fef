// The LAF reports with a fixed template ignore the configuration's template,
// and the MAHO report builds nothing.
#include <gtest/gtest.h>

#include "reports/laf/TarnelLAFAntennaFace3GReport.h"
#include "reports/laf/TarnelLAFAntennaFaceReport.h"
#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"
#include "reports/laf/TarnelLAFMahoReport.h"
#include "reports/laf/TarnelLAFNeighbourListReport.h"
#include "reports/laf/TarnelLAFServerGroupReport.h"
#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"
#include "tests/laf/LafReportFixture.h"

namespace {

class LafFixedTemplateTest : public LafReportFixture {
 protected:
  template <typename T>
  RWEString templateOf() {
    auto report = harness.make<T>();
    return harness.run(*report, kLaf).value("PFTemplateName");
  }
};

TEST_F(LafFixedTemplateTest, EachReportNamesItsOwnTemplate) {
  configure(1);
  EXPECT_EQ(RWEString("antrpt.xlt"), templateOf<TarnelLAFAntennaFaceReport>());
  EXPECT_EQ(RWEString("antface3g.xlt"), templateOf<TarnelLAFAntennaFace3GReport>());
  EXPECT_EQ(RWEString("laf.xlt"), templateOf<TarnelLAFServerGroupReport>());
  EXPECT_EQ(RWEString("nghbr.xlt"), templateOf<TarnelLAFNeighbourListReport>());
  EXPECT_EQ(RWEString("cnbr.xlt"), templateOf<TarnelLAFCDMANeighbourListReport>());
  EXPECT_EQ(RWEString("cdhonbr.xlt"), templateOf<TarnelLAF_CDMA_DHNeighbourListReport>());
}

TEST_F(LafFixedTemplateTest, MahoRunOpensNoStreamAndRunsNoQuery) {
  configure(1);
  auto report = harness.make<TarnelLAFMahoReport>();
  TarnelSteeringData steering = harness.run(*report, kLaf);
  EXPECT_TRUE(harness.data.calls.empty());
  EXPECT_TRUE(harness.connection.executed().empty());
  std::vector<TarnelSteeringData::Entry> expected = {
      {"runMacro", "0"}, {"PFTemplateName", ""}, {"PFDataFileName", ""}};
  EXPECT_EQ(expected, steering.calls());
  EXPECT_EQ(kLaf, report->lafInstanceId());
  EXPECT_EQ(RWEString("VoiceLAF"), report->entityName());
}

}  // namespace
