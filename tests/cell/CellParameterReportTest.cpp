// TarnelCellParameterReport: the key-field count of each select and a build
// without the AP block.
#include <gtest/gtest.h>

#include "reports/cell/TarnelCellParameterReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kFacesSql[] =
    "select a.instance_id, a.face, a.band, a.power from tnl_cfg_antenna a where a.cell_id = "
    "1000004";

int countOf(const std::string& selectXml) {
  std::unique_ptr<KvXMLElement> select = XMLDocument::parseText(selectXml, "select");
  return TarnelCellParameterReport::keyFieldCount(select.get());
}

TEST(CellParameterKeyFields, NumKeyFieldsIsReadAsAtoiReadsIt) {
  EXPECT_EQ(1, countOf("<SELECT/>"));
  EXPECT_EQ(1, countOf("<SELECT NumKeyFields=\"\"/>"));
  EXPECT_EQ(3, countOf("<SELECT NumKeyFields=\"3\"/>"));
  EXPECT_EQ(0, countOf("<SELECT NumKeyFields=\"abc\"/>"));
  EXPECT_EQ(3, countOf("<SELECT NumKeyFields=\"3abc\"/>"));
  EXPECT_EQ(12, countOf("<SELECT NumKeyFields=\" 12\"/>"));
}

TEST(CellParameterReport, EachSelectIsKeyedOnItsOwnCountWithoutApBlock) {
  ReportHarness harness;
  harness.configure(
      "<REPORT Entity=\"Cell\"><SELECTS><SELECT Name=\"F\"/><SELECT Name=\"F\" NumKeyFields=\"2\"/>"
      "<SELECT Name=\"F\" NumKeyFields=\"none\"/></SELECTS><QUERIES><QUERY Name=\"F\" "
      "Entity=\"Antenna\" Select=\"select a.instance_id, a.face, a.band, a.power from "
      "tnl_cfg_antenna a where a.cell_id = \"><FIELDS><FIELD Name=\"face\"/><FIELD Name=\"band\"/>"
      "<FIELD Name=\"power\"/></FIELDS></QUERY></QUERIES></REPORT>");
  harness.data.series[1000004] = 5;
  harness.connection.script(kFacesSql, {{"2000013", "1", "B", "40"}});
  auto report = harness.make<TarnelCellParameterReport>();
  harness.run(*report, 1000004);
  EXPECT_EQ(
      "face[1]\t1\nband[1]\tB\npower[1]\t40\n"
      "face[1B]\t1\nband[1B]\tB\npower[1B]\t40\n"
      "face\t1\nband\tB\npower\t40\n",
      harness.data.text(0));
  EXPECT_EQ(std::vector<std::string>(3, kFacesSql), harness.connection.executed());
}

}  // namespace
