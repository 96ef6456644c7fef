// The LAF report and the reports that run its build: the LAF and scenario
// taken at configure, the section blocks chosen by the entity name, the
// fixed templates, and the MAHO report that builds nothing.
#include <gtest/gtest.h>

#include "reports/laf/TarnelLAFAntennaFace3GReport.h"
#include "reports/laf/TarnelLAFAntennaFaceReport.h"
#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"
#include "reports/laf/TarnelLAFMahoReport.h"
#include "reports/laf/TarnelLAFNeighbourListReport.h"
#include "reports/laf/TarnelLAFReport.h"
#include "reports/laf/TarnelLAFServerGroupReport.h"
#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"
#include "tests/laf/LafReportFixture.h"

namespace {

// A LAF report whose entity name differs from "VoiceLAF" only in case.
class LowerCaseLafReport : public TarnelLAFReport {
 public:
  using TarnelLAFReport::TarnelLAFReport;
  RWEString entityName() override { return "voicelaf"; }
};

class LafReportTest : public LafReportFixture {
 protected:
  void SetUp() override { configure(1); }

  template <typename T>
  RWEString templateOf() {
    auto report = harness.make<T>();
    return harness.run(*report, kLaf).value("PFTemplateName");
  }
};

TEST_F(LafReportTest, ConfigureTakesTheLafAndTheScenario) {
  auto report = harness.make<TarnelLAFReport>();
  EXPECT_EQ(-1, report->instanceId());
  EXPECT_EQ(-1, report->lafInstanceId());
  TarnelReportInfo info(kLaf, "north");
  report->configure(info);
  EXPECT_EQ(kLaf, report->instanceId());
  EXPECT_EQ(kLaf, report->lafInstanceId());
  EXPECT_EQ(RWEString("north"), report->scenarioId());
  EXPECT_TRUE(harness.data.calls.empty());
}

TEST_F(LafReportTest, EntityNameInAnotherCaseSelectsNeitherBlock) {
  auto report = harness.make<LowerCaseLafReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections({"APcellFields", "SWLoadDataTRX", "APantenna2", "SWceqface", "SWceqfacealtcar",
                      "DCSLocalKey"}),
            harness.data.text(0));
}

TEST_F(LafReportTest, AntennaFace3GAppendsTheThreeSectionsAfterTheLocalKey) {
  configure(3);
  auto report = harness.make<TarnelLAFAntennaFace3GReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections({"APcellDataFields", "SWLoadDataTRX", "APantenna2", "SWceqface",
                      "SWceqfacealtcar", "SWdrl", "SWceqface2", "SWprsid", "SWceqfacecdmacar",
                      "DCSLocalKey", "SWceqface3G", "SWceqface3Galtcar", "AddressFromCell"}),
            harness.data.text(0));
}

TEST_F(LafReportTest, FixedTemplatesIgnoreTheConfiguredOne) {
  EXPECT_EQ(RWEString("antrpt.xlt"), templateOf<TarnelLAFAntennaFaceReport>());
  EXPECT_EQ(RWEString("antface3g.xlt"), templateOf<TarnelLAFAntennaFace3GReport>());
  EXPECT_EQ(RWEString("laf.xlt"), templateOf<TarnelLAFServerGroupReport>());
  EXPECT_EQ(RWEString("nghbr.xlt"), templateOf<TarnelLAFNeighbourListReport>());
  EXPECT_EQ(RWEString("cnbr.xlt"), templateOf<TarnelLAFCDMANeighbourListReport>());
  EXPECT_EQ(RWEString("cdhonbr.xlt"), templateOf<TarnelLAF_CDMA_DHNeighbourListReport>());
}

TEST_F(LafReportTest, MahoRunOpensNoStreamAndRunsNoQuery) {
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
