// The LAF report and the reports that run its build: the LAF and scenario
// taken at configure (by the MAHO report, which builds nothing), the section
// blocks chosen by the entity name, the fixed templates, and the neighbour
// lists (the CDMA lists key by one column and leave "nant" as read; the plain
// list shows its antenna bit map). Every query a LAF report can run writes one
// line "<name>\t<name>", so the stream reads as the list of sections run.
#include <gtest/gtest.h>

#include <algorithm>

#include "reports/laf/TarnelLAFAntennaFaceReport.h"
#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"
#include "reports/laf/TarnelLAFMahoReport.h"
#include "reports/laf/TarnelLAFNeighbourListReport.h"
#include "reports/laf/TarnelLAFReport.h"
#include "reports/laf/TarnelLAFServerGroupReport.h"
#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const int kLaf = 4000042;

// A LAF report whose entity name differs from "VoiceLAF" only in case.
class LowerCaseLafReport : public TarnelLAFReport {
 public:
  using TarnelLAFReport::TarnelLAFReport;
  RWEString entityName() override { return "voicelaf"; }
};

class LafReportTest : public ::testing::Test {
 protected:
  // The configuration of a series-1 LAF (template "config.xlt") defining every
  // query but `skip`, and `extra`.
  void SetUp() override { configure(); }
  void configure(const std::string& extra = "", const std::string& skip = "") {
    std::vector<std::string> names = {
        "APcellFields", "APcellDataFields", "APcellFieldsRCS", "SWLoadDataTRX", "APantenna2",
        "APantenna2RCS", "APvoicelaf", "SWfci", "SWLAFtglist2", "SWfcirasalsa", "SWceqface",
        "SWceqfacealtcar", "SWdrl", "SWceqface2", "SWprsid", "SWceqfacecdmacar", "DCSLocalKey",
        "AntennaLocalKey", "SGLocalKey", "DCSLocalKey2", "SWnbr", "pptg", "SWcdmanbr",
        "SWcdmadhonbr", "SWceqface3G", "SWceqface3Galtcar", "AddressFromCell"};
    names.erase(std::remove(names.begin(), names.end(), skip), names.end());
    harness = ReportHarness();
    harness.configure("<REPORT Entity=\"VoiceLAF\"><TEMPLATES><TEMPLATE Excel=\"config.xlt\"/>"
                      "</TEMPLATES><QUERIES>" +
                      harness.seriesQuery(kLaf, {{std::to_string(kLaf), "1"}}) +
                      harness.echoQueries(names, kLaf) + extra + "</QUERIES></REPORT>");
  }

  // The stream and the template of a run of T.
  template <typename T>
  std::string run() {
    std::string templ = harness.run(*harness.make<T>(), kLaf).value("PFTemplateName").str();
    return harness.data.text(0) + "template " + templ;
  }

  // The stream of T with the neighbour query `name` replaced by one
  // returning two neighbours (cell, sector, nant).
  template <typename T>
  std::string listText(const std::string& name) {
    configure("<QUERY Name=\"" + name + "\" Select=\"nbr " + name + " \"><FIELDS><FIELD "
              "Name=\"cell\"/><FIELD Name=\"sector\"/><FIELD Name=\"nant\"/></FIELDS></QUERY>",
              name);
    harness.connection.script("nbr " + name + " " + std::to_string(kLaf),
                              {{"4500001", "12", "B", "7"}, {"4500002", "3", "A", "41"}});
    harness.run(*harness.make<T>(), kLaf);
    return harness.data.text(0);
  }

  ReportHarness harness;
};

TEST_F(LafReportTest, EntityNameInAnotherCaseSelectsNeitherBlock) {
  EXPECT_EQ(ReportHarness::echoText({"APcellFields", "SWLoadDataTRX", "APantenna2", "SWceqface",
                                     "SWceqfacealtcar", "DCSLocalKey"}) + "template config.xlt",
            run<LowerCaseLafReport>());
}

TEST_F(LafReportTest, FixedTemplatesIgnoreTheConfiguredOne) {
  const std::pair<std::string (LafReportTest::*)(), std::string> cases[] = {
      {&LafReportTest::run<TarnelLAFAntennaFaceReport>, "antrpt.xlt"},
      {&LafReportTest::run<TarnelLAFServerGroupReport>, "laf.xlt"},
      {&LafReportTest::run<TarnelLAFNeighbourListReport>, "nghbr.xlt"},
      {&LafReportTest::run<TarnelLAFCDMANeighbourListReport>, "cnbr.xlt"},
      {&LafReportTest::run<TarnelLAF_CDMA_DHNeighbourListReport>, "cdhonbr.xlt"},
  };
  for (const auto& c : cases) {
    std::string text = (this->*c.first)();
    EXPECT_EQ("template " + c.second, text.substr(text.rfind('\n') + 1));
  }
}

// The MAHO report's configure (TarnelLAFReport's) takes the LAF and the scenario.
TEST_F(LafReportTest, MahoRunTakesTheLafAndScenarioAndOpensNoStreamAndRunsNoQuery) {
  auto report = harness.make<TarnelLAFMahoReport>();
  harness.run(*report, kLaf, "north");
  EXPECT_TRUE(harness.data.calls.empty());
  EXPECT_TRUE(harness.connection.executed().empty());
  EXPECT_EQ(kLaf, report->instanceId());
  EXPECT_EQ(kLaf, report->lafInstanceId());
  EXPECT_EQ(RWEString("north"), report->scenarioId());
}

TEST_F(LafReportTest, CdmaListsKeyByOneColumnAndLeaveNantAsRead) {
  const std::string text =
      ReportHarness::echoText({"APcellFields", "SWLoadDataTRX", "APantenna2", "APvoicelaf",
                               "pptg", "AntennaLocalKey", "SGLocalKey", "DCSLocalKey2",
                               "SWLAFtglist2"}) +
      "cell[12]\t12\nsector[12]\tB\nnant[12]\t7\ncell[3]\t3\nsector[3]\tA\nnant[3]\t41\n";
  EXPECT_EQ(text, listText<TarnelLAFCDMANeighbourListReport>("SWcdmanbr"));
  EXPECT_EQ(text, listText<TarnelLAF_CDMA_DHNeighbourListReport>("SWcdmadhonbr"));
}

TEST_F(LafReportTest, NantShowsBitsZeroToSixReadAsScanfHex) {
  auto report = harness.make<TarnelLAFNeighbourListReport>();
  // Field name, value, formatted value.
  // clang-format off
  const char* const cases[][3] = {
      {"nant", "0", "0 [xxxxxxx] "},       {"nant", "7", "7 [012xxxx] "},
      {"nant", "41", "41 [0xxxxx6] "},     {"nant", "7f", "7f [0123456] "},
      {"nant", "2A", "2A [x1x3x5x] "},     {"nant", "80", "80 [xxxxxxx] "},
      {"nant", "ff", "ff [0123456] "},     {"nant", " 0x41", " 0x41 [0xxxxx6] "},
      {"nant", "5g", "5g [0x2xxxx] "},     {"nant", "nil", "nil [xxxxxxx] "},
      {"nant", "", " [xxxxxxx] "},         {"NANT", "7", "7"},
      {"nant2", "7", "7"},                 {"", "7", "7"},
  };
  // clang-format on
  for (const auto& c : cases) {
    std::unique_ptr<KvXMLElement> field =
        XMLDocument::parseText(std::string("<FIELD Name=\"") + c[0] + "\"/>", "field");
    EXPECT_EQ(c[2], report->finalFormat(field.get(), c[1]).str()) << c[0] << " " << c[1];
  }
}

}  // namespace
