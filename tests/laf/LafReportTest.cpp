// The fixed section sequences of the LAF report and of the reports that run
// its build (antenna face, 3G antenna face, server group), and their steering
// data.
#include <gtest/gtest.h>

#include "reports/laf/TarnelLAFAntennaFace3GReport.h"
#include "reports/laf/TarnelLAFAntennaFaceReport.h"
#include "reports/laf/TarnelLAFReport.h"
#include "reports/laf/TarnelLAFServerGroupReport.h"
#include "tests/laf/LafReportFixture.h"

namespace {

const std::vector<std::string> kVoiceLafSections = {
    "APcellFields", "SWLoadDataTRX", "APantenna2",      "APvoicelaf", "SWfci",
    "SWLAFtglist2", "SWfcirasalsa",  "SWceqface", "SWceqfacealtcar", "DCSLocalKey"};

const std::vector<std::string> kAntennaSections = {
    "APcellFields", "SWLoadDataTRX", "APantenna2", "SWceqface",        "SWceqfacealtcar",
    "SWdrl",        "SWceqface2",    "SWprsid",    "SWceqfacecdmacar", "DCSLocalKey"};

// A LAF report whose entity name differs from "VoiceLAF" only in case.
class LowerCaseLafReport : public TarnelLAFReport {
 public:
  using TarnelLAFReport::TarnelLAFReport;
  RWEString entityName() override { return "voicelaf"; }
};

class LafReportTest : public LafReportFixture {};

TEST_F(LafReportTest, InstanceIdIsUnsetBeforeConfigure) {
  configure(1);
  auto report = harness.make<TarnelLAFReport>();
  EXPECT_EQ(-1, report->instanceId());
  EXPECT_EQ(-1, report->lafInstanceId());
}

TEST_F(LafReportTest, ConfigureTakesTheLafAndTheScenario) {
  configure(1);
  auto report = harness.make<TarnelLAFReport>();
  TarnelReportInfo info(kLaf, "north");
  report->configure(info);
  EXPECT_EQ(kLaf, report->instanceId());
  EXPECT_EQ(kLaf, report->lafInstanceId());
  EXPECT_EQ(RWEString("north"), report->scenarioId());
  EXPECT_TRUE(harness.data.calls.empty());
}

TEST_F(LafReportTest, VoiceLafWritesItsSectionsInOrder) {
  configure(1);
  auto report = harness.make<TarnelLAFReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections(kVoiceLafSections), harness.data.text(0));
  EXPECT_EQ(RWEString("VoiceLAF"), report->entityName());
}

TEST_F(LafReportTest, EntityNameInAnotherCaseSelectsNeitherBlock) {
  configure(1);
  auto report = harness.make<LowerCaseLafReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections({"APcellFields", "SWLoadDataTRX", "APantenna2", "SWceqface",
                      "SWceqfacealtcar", "DCSLocalKey"}),
            harness.data.text(0));
}

TEST_F(LafReportTest, SteeringDataNameTheConfiguredTemplateAndTheStream) {
  configure(1);
  auto report = harness.make<TarnelLAFReport>();
  TarnelSteeringData steering = harness.run(*report, kLaf);
  std::vector<TarnelSteeringData::Entry> expected = {
      {"runMacro", "0"}, {"PFTemplateName", "config.xlt"}, {"PFDataFileName", "stream0.txt"}};
  EXPECT_EQ(expected, steering.calls());
}

TEST_F(LafReportTest, AntennaFaceWritesTheAntennaSections) {
  configure(1);
  auto report = harness.make<TarnelLAFAntennaFaceReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections(kAntennaSections), harness.data.text(0));
}

TEST_F(LafReportTest, AntennaFace3GAppendsTheThreeSectionsAfterTheLocalKey) {
  configure(3);
  auto report = harness.make<TarnelLAFAntennaFace3GReport>();
  harness.run(*report, kLaf);
  std::vector<std::string> expected = kAntennaSections;
  expected[0] = "APcellDataFields";
  expected.insert(expected.end(), {"SWceqface3G", "SWceqface3Galtcar", "AddressFromCell"});
  EXPECT_EQ(sections(expected), harness.data.text(0));
}

TEST_F(LafReportTest, ServerGroupWritesTheVoiceLafSections) {
  configure(1);
  auto report = harness.make<TarnelLAFServerGroupReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections(kVoiceLafSections), harness.data.text(0));
}

}  // namespace
