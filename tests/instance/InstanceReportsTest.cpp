// The reports over one instance: the second stream of the LMT report, the ECP
// number format and the setup report's series filter and template.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "reports/instance/InstanceReports.h"
#include "reports/instance/TarnelECPReport.h"
#include "reports/instance/TarnelSetupReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kSeriesSql[] =
    "select tbl.instance_id, tbl.series from tnl_cfg_cell tbl where tbl.instance_id = 8";

class InstanceReportsTest : public ::testing::Test {
 protected:
  // A configuration of cell 8 of `series` whose queries each write one line naming themselves.
  void prepare(const std::string& series, const std::string& selects, const std::string& templ) {
    std::string xml = "<REPORT Entity=\"Cell\"><TEMPLATES>" + templ + "</TEMPLATES><SELECTS>" +
                      selects + "</SELECTS><QUERIES><QUERY Name=\"CellSeries\" Table=\"tnl_cfg_"
                      "cell\" SingleSelect=\"True\"><FIELDS><FIELD Name=\"series\"/></FIELDS>"
                      "</QUERY>";
    for (const std::string q : {"APcellFields", "APcellDataFields", "APcellFieldsRCS",
                                "SWLoadDataTRX", "APantenna2", "APantenna2RCS", "S1", "S2", "S3"}) {
      xml += "<QUERY Name=\"" + q + "\" Select=\"select '" + q + "' where 8 = \" SingleSelect="
             "\"True\"><FIELDS><FIELD Name=\"q\"/></FIELDS></QUERY>";
      h.connection.script("select '" + q + "' where 8 = 8", {{q}});
    }
    h.configure(xml + "</QUERIES></REPORT>");
    h.connection.script(kSeriesSql, {{"8", series}});
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

TEST_F(InstanceReportsTest, LmtOpensItsStreamTwiceAndNamesTheSecondInTheSteeringData) {
  prepare("1", "", R"(<TEMPLATE Excel="lmt.xlt"/>)");
  auto lmt = h.make<TarnelLMTReport>("LMT");
  TarnelSteeringData steering = h.run(*lmt, 8);
  std::vector<std::string> opens;
  for (const std::string& call : h.data.calls) {
    if (call.rfind("openStream", 0) == 0) opens.push_back(call);
  }
  EXPECT_EQ(opens, (std::vector<std::string>{"openStream LMT", "openStream LMT"}));
  EXPECT_EQ(steering.calls(), (std::vector<TarnelSteeringData::Entry>{
                                  {"runMacro", "0"}, {"PFTemplateName", "lmt.xlt"},
                                  {"PFDataFileName", "stream0.txt"}}));
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

TEST_F(EcpFormatTest, TenCharactersOfTheTwoNumberFieldsAreBracketedOthersUnchanged) {
  const char* const cases[][3] = {
      {"trmostdn", "2015551234", "(201)555-1234"}, {"ota_trn", "ab cdefghi", "(ab )cde-fghi"},
      {"trmostdn", "201555123", "201555123"},      {"trmostdn", "20155512345", "20155512345"},
      {"TRMOSTDN", "2015551234", "2015551234"},    {"", "2015551234", "2015551234"},
  };
  for (const auto& c : cases) {
    std::string field = *c[0] ? std::string("<FIELD Name=\"") + c[0] + "\"/>" : "<FIELD/>";
    EXPECT_EQ(format(field, c[1]), c[2]) << field << c[1];
  }
}

TEST_F(InstanceReportsTest, SetupRunsSelectsWhoseCellSeriesContainsTheSeries) {
  const std::string selects =
      R"(<SELECT Name="S1"/><SELECT Name="S2" CellSeries="5"/><SELECT Name="S3" CellSeries="10"/>)";
  const std::pair<std::string, std::string> cases[] = {
      {"5", "APcellFieldsRCS SWLoadDataTRX APantenna2RCS S1 S2"},
      {"6", "APcellFields SWLoadDataTRX APantenna2 S1"},
      {"1", "APcellFields SWLoadDataTRX APantenna2 S1 S3"},
  };
  for (const auto& c : cases) {
    h = ReportHarness();
    prepare(c.first, selects, R"(<TEMPLATE Excel="setup.xlt" ExcelSeries1="setup1.xlt"/>)");
    auto setup = h.make<TarnelSetupReport>();
    TarnelSteeringData steering = h.run(*setup, 8);
    EXPECT_EQ(written(), c.second) << "series " << c.first;
    EXPECT_EQ(steering.value("PFTemplateName"), c.first == "1" ? "setup1.xlt" : "setup.xlt");
  }
}

TEST_F(InstanceReportsTest, SetupTemplateNeedsTheSeriesEvenWithoutFilters) {
  prepare("1", "", R"(<TEMPLATE Excel="setup.xlt"/>)");
  auto setup = h.make<TarnelSetupReport>();
  TarnelReportInfo info(8, "");
  setup->configure(info);
  EXPECT_EQ(setup->excelTemplateFile(), "");
  h = ReportHarness();
  prepare("1", "", "");
  h.connection.script(kSeriesSql, {});
  auto unknown = h.make<TarnelSetupReport>();
  unknown->configure(info);
  EXPECT_THROW(unknown->excelTemplateFile(), KvException);
}

}  // namespace
