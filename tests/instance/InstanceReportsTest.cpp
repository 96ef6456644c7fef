// The reports over one instance: the ECP number format and the setup report's
// series filter and template (the LMT report's reopened stream: its
// end-to-end files).
#include <gtest/gtest.h>

#include "reports/instance/TarnelECPReport.h"
#include "reports/instance/TarnelSetupReport.h"
#include "tests/support/ReportHarness.h"

namespace {

// A configuration of cell 8 of `series` whose queries each write one line naming themselves.
void prepare(ReportHarness& h, Rows series, const std::string& selects, const std::string& templ) {
  h.configure("<REPORT Entity=\"Cell\"><TEMPLATES>" + templ + "</TEMPLATES><SELECTS>" + selects +
              "</SELECTS><QUERIES>" + h.seriesQuery(8, std::move(series)) +
              h.echoQueries({"APcellFields", "APcellDataFields", "APcellFieldsRCS",
                             "SWLoadDataTRX", "APantenna2", "APantenna2RCS", "S1", "S2", "S3"},
                            8) + "</QUERIES></REPORT>");
}

TEST(InstanceReports, EcpTenCharactersOfTheTwoNumberFieldsAreBracketedOthersUnchanged) {
  ReportHarness h;
  auto report = h.make<TarnelECPReport>();
  const char* const cases[][3] = {
      {"trmostdn", "2015551234", "(201)555-1234"}, {"ota_trn", "ab cdefghi", "(ab )cde-fghi"},
      {"trmostdn", "201555123", "201555123"},      {"trmostdn", "20155512345", "20155512345"},
      {"TRMOSTDN", "2015551234", "2015551234"},    {"", "2015551234", "2015551234"},
  };
  for (const auto& c : cases) {
    std::string field = *c[0] ? std::string("<FIELD Name=\"") + c[0] + "\"/>" : "<FIELD/>";
    auto doc = XMLDocument::parseText(field, "field");
    EXPECT_EQ(report->finalFormat(doc.get(), c[1]).str(), c[2]) << field << c[1];
  }
}

TEST(InstanceReports, SetupRunsSelectsWhoseCellSeriesContainsTheSeries) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"5", {"APcellFieldsRCS", "SWLoadDataTRX", "APantenna2RCS", "S1", "S2"}},
      {"6", {"APcellFields", "SWLoadDataTRX", "APantenna2", "S1"}},
      {"1", {"APcellFields", "SWLoadDataTRX", "APantenna2", "S1", "S3"}},
  };
  for (const auto& c : cases) {
    ReportHarness h;
    prepare(h, {{"8", c.first}},
            R"(<SELECT Name="S1"/><SELECT Name="S2" CellSeries="5"/><SELECT Name="S3" CellSeries="10"/>)",
            R"(<TEMPLATE Excel="setup.xlt" ExcelSeries1="setup1.xlt"/>)");
    TarnelSteeringData steering = h.run(*h.make<TarnelSetupReport>(), 8);
    EXPECT_EQ(h.data.text(), ReportHarness::echoText(c.second)) << "series " << c.first;
    EXPECT_EQ(steering.value("PFTemplateName"), c.first == "1" ? "setup1.xlt" : "setup.xlt");
  }
}

TEST(InstanceReports, SetupTemplateNeedsTheSeriesEvenWithoutFilters) {
  TarnelReportInfo info(8, "");
  ReportHarness h, unknown;
  prepare(h, {{"8", "1"}}, "", R"(<TEMPLATE Excel="setup.xlt"/>)");
  auto setup = h.make<TarnelSetupReport>();
  setup->configure(info);
  EXPECT_EQ(setup->excelTemplateFile(), "");
  prepare(unknown, {}, "", "");
  setup = unknown.make<TarnelSetupReport>();
  setup->configure(info);
  EXPECT_EQ(thrown([&] { setup->excelTemplateFile(); }),
            "CellSeries query should only return exactly one row for Cell: 8");
}

}  // namespace
