// The reports over one instance: the blocks ahead of the selects, the second
// stream of the LMT report, the ECP number format and the setup report's
// series filter and template.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "reports/instance/InstanceReports.h"
#include "reports/instance/TarnelECPReport.h"
#include "reports/instance/TarnelSetupReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kSeriesSql[] =
    "select tbl.instance_id, tbl.series from tnl_cfg_cell tbl where tbl.instance_id = 8";

// Every query writes one line naming itself.
std::string config(const std::string& selects, const std::string& templ = "") {
  std::string queries =
      R"(<QUERY Name="CellSeries" Table="tnl_cfg_cell" SingleSelect="True"><FIELDS><FIELD Name="series"/></FIELDS></QUERY>)";
  for (const char* q : {"APcellFields", "APcellDataFields", "APcellFieldsRCS", "SWLoadDataTRX",
                        "APantenna2", "APantenna2RCS", "APvoicelaf", "S1", "S2", "S3"}) {
    queries += std::string("<QUERY Name=\"") + q + "\" Select=\"select '" + q +
               "' where 8 = \" SingleSelect=\"True\"><FIELDS><FIELD Name=\"q\"/></FIELDS></QUERY>";
  }
  return "<REPORT Entity=\"Cell\"><TEMPLATES>" + templ + "</TEMPLATES><SELECTS>" + selects +
         "</SELECTS><QUERIES>" + queries + "</QUERIES></REPORT>";
}

class InstanceReportsTest : public ::testing::Test {
 protected:
  void prepare(const std::string& series, const std::string& xml) {
    h.configure(xml);
    h.connection.script(kSeriesSql, {{"8", series}});
    for (const char* q : {"APcellFields", "APcellDataFields", "APcellFieldsRCS", "SWLoadDataTRX",
                          "APantenna2", "APantenna2RCS", "APvoicelaf", "S1", "S2", "S3"}) {
      h.connection.script(std::string("select '") + q + "' where 8 = 8", {{q}});
    }
  }
  // The query names written, in order.
  std::string written() const {
    std::string text = h.data.text(), names;
    for (size_t at = 0; (at = text.find("q\t", at)) != std::string::npos; at += 2) {
      size_t end = text.find('\n', at);
      names += (names.empty() ? "" : " ") + text.substr(at + 2, end - at - 2);
    }
    return names;
  }
  ReportHarness h;
};

TEST_F(InstanceReportsTest, BlocksAheadOfTheSelectsPerClass) {
  const std::string selects = R"(<SELECT Name="S1"/><SELECT Name="S2"/>)";
  prepare("4", config(selects));
  auto cch = h.make<TarnelCCHReselectionReport>();
  h.run(*cch, 8);
  EXPECT_EQ(written(), "APcellFieldsRCS SWLoadDataTRX APantenna2RCS S1 S2");
  EXPECT_EQ(cch->antennaInstanceId(), 8);

  h = ReportHarness();
  prepare("2", config(selects));
  auto maho = h.make<TarnelMAHOReport>();
  h.run(*maho, 8);
  EXPECT_EQ(written(), "APcellFields SWLoadDataTRX APantenna2 APvoicelaf S1 S2");

  h = ReportHarness();
  prepare("3", config(selects));
  auto lmt = h.make<TarnelLMTReport>();
  h.run(*lmt, 8);
  EXPECT_EQ(written(), "APcellDataFields SWLoadDataTRX S1 S2");

  h = ReportHarness();
  prepare("99", config(selects));
  auto ecp3g = h.make<TarnelECP3GReport>();
  h.run(*ecp3g, 8);
  EXPECT_EQ(written(), "S1 S2");
}

TEST_F(InstanceReportsTest, LmtOpensItsStreamTwiceAndNamesTheSecondInTheSteeringData) {
  prepare("1", config("", R"(<TEMPLATE Excel="lmt.xlt"/>)"));
  auto lmt = h.make<TarnelLMTReport>("LMT");
  TarnelSteeringData steering = h.run(*lmt, 8);
  std::vector<std::string> opens;
  for (const std::string& call : h.data.calls) {
    if (call.rfind("openStream", 0) == 0) opens.push_back(call);
  }
  EXPECT_EQ(opens, (std::vector<std::string>{"openStream LMT", "openStream LMT"}));
  EXPECT_EQ(steering.calls(), (std::vector<TarnelSteeringData::Entry>{
                                  {"runMacro", "0"},
                                  {"PFTemplateName", "lmt.xlt"},
                                  {"PFDataFileName", "stream0.txt"}}));
}

TEST_F(InstanceReportsTest, UndefinedSeriesEndsTheBuildWithNothingWritten) {
  prepare("10", config(R"(<SELECT Name="S1"/>)"));
  auto cch = h.make<TarnelCCHReselectionReport>();
  EXPECT_THROW(h.run(*cch, 8), ReportMessageException);
  EXPECT_EQ(h.data.text(), "");
}

TEST_F(InstanceReportsTest, EntityNameIsTheRootsAttributeReadAtEveryCall) {
  h.configure("<REPORT/>");
  auto r = h.make<TarnelECP3GReport>();
  EXPECT_EQ(r->entityName(), "");
  EXPECT_EQ(r->instanceId(), -1);
}

class EcpFormatTest : public ::testing::Test {
 protected:
  std::string format(const std::string& field, const std::string& value) {
    auto doc = XMLDocument::parseText(field, "field");
    return report->finalFormat(doc.get(), value).str();
  }
  ReportHarness h;
  std::unique_ptr<TarnelECPReport> report = h.make<TarnelECPReport>();
};

TEST_F(EcpFormatTest, TenCharactersOfTheTwoNumberFieldsAreBracketed) {
  EXPECT_EQ(format(R"(<FIELD Name="trmostdn"/>)", "2015551234"), "(201)555-1234");
  EXPECT_EQ(format(R"(<FIELD Name="ota_trn"/>)", "ab cdefghi"), "(ab )cde-fghi");
}

TEST_F(EcpFormatTest, OtherLengthsFieldsAndCasesAreUnchanged) {
  EXPECT_EQ(format(R"(<FIELD Name="trmostdn"/>)", "201555123"), "201555123");
  EXPECT_EQ(format(R"(<FIELD Name="trmostdn"/>)", "20155512345"), "20155512345");
  EXPECT_EQ(format(R"(<FIELD Name="TRMOSTDN"/>)", "2015551234"), "2015551234");
  EXPECT_EQ(format(R"(<FIELD/>)", "2015551234"), "2015551234");
  EXPECT_EQ(report->instanceId(), -1);
}

TEST_F(InstanceReportsTest, SetupRunsSelectsWhoseCellSeriesContainsTheSeries) {
  const std::string selects =
      R"(<SELECT Name="S1"/><SELECT Name="S2" CellSeries="5"/><SELECT Name="S3" CellSeries="10"/>)";
  struct Case {
    const char* series;
    const char* written;
  } cases[] = {
      {"5", "APcellFieldsRCS SWLoadDataTRX APantenna2RCS S1 S2"},
      {"6", "APcellFields SWLoadDataTRX APantenna2 S1"},
      {"1", "APcellFields SWLoadDataTRX APantenna2 S1 S3"},
  };
  for (const Case& c : cases) {
    h = ReportHarness();
    prepare(c.series, config(selects, R"(<TEMPLATE Excel="setup.xlt" ExcelSeries1="setup1.xlt"/>)"));
    auto setup = h.make<TarnelSetupReport>();
    TarnelSteeringData steering = h.run(*setup, 8);
    EXPECT_EQ(written(), c.written) << "series " << c.series;
    EXPECT_EQ(steering.value("PFTemplateName"),
              std::string(c.series) == "1" ? "setup1.xlt" : "setup.xlt");
  }
}

TEST_F(InstanceReportsTest, SetupTemplateNeedsTheSeriesEvenWithoutFilters) {
  prepare("1", config("", R"(<TEMPLATE Excel="setup.xlt"/>)"));
  auto setup = h.make<TarnelSetupReport>();
  TarnelReportInfo info(8, "");
  setup->configure(info);
  EXPECT_EQ(setup->excelTemplateFile(), "");
  h.connection.clearExecuted();
  h = ReportHarness();
  h.configure(config(""));
  auto unknown = h.make<TarnelSetupReport>();
  unknown->configure(info);
  EXPECT_THROW(unknown->excelTemplateFile(), KvException);
}

}  // namespace
