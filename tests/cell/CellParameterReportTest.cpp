// TarnelCellParameterReport: the key-field count of each select and a build
// without the AP block.
#include <gtest/gtest.h>

#include "reports/cell/TarnelCellParameterReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const int kCell = 1000004;
const char kAntennaSql[] =
    "select a.instance_id, a.face, a.band, a.power from tnl_cfg_antenna a where a.cell_id = "
    "1000004";

std::string config(const std::string& selects) {
  return "<REPORT Entity=\"Cell\"><TEMPLATES><TEMPLATE Excel=\"Param.xlt\"/></TEMPLATES>"
         "<SELECTS>" + selects + "</SELECTS><QUERIES>"
         "<QUERY Name=\"SWfaces\" Entity=\"Antenna\" Select=\"select a.instance_id, a.face, "
         "a.band, a.power from tnl_cfg_antenna a where a.cell_id = \">"
         "<FIELDS><FIELD Name=\"face\"/><FIELD Name=\"band\"/><FIELD Name=\"power\"/></FIELDS>"
         "</QUERY></QUERIES></REPORT>";
}

class CellParameterReportTest : public ::testing::Test {
 protected:
  std::string build(const std::string& selects) {
    harness.configure(config(selects));
    harness.data.series[kCell] = 5;
    harness.connection.script(kAntennaSql, {{"2000013", "1", "B", "40"}});
    auto report = harness.make<TarnelCellParameterReport>();
    steering = harness.run(*report, kCell);
    return harness.data.text(0);
  }

  ReportHarness harness;
  TarnelSteeringData steering;
};

int countOf(const std::string& selectXml) {
  std::unique_ptr<KvXMLElement> select = XMLDocument::parseText(selectXml, "select");
  return TarnelCellParameterReport::keyFieldCount(select.get());
}

TEST(CellParameterKeyFields, AbsentOrEmptyCountIsOne) {
  EXPECT_EQ(1, countOf("<SELECT Name=\"q\"/>"));
  EXPECT_EQ(1, countOf("<SELECT Name=\"q\" NumKeyFields=\"\"/>"));
}

TEST(CellParameterKeyFields, TextIsReadAsAtoiReadsIt) {
  EXPECT_EQ(3, countOf("<SELECT NumKeyFields=\"3\"/>"));
  EXPECT_EQ(0, countOf("<SELECT NumKeyFields=\"abc\"/>"));
  EXPECT_EQ(3, countOf("<SELECT NumKeyFields=\"3abc\"/>"));
  EXPECT_EQ(12, countOf("<SELECT NumKeyFields=\" 12\"/>"));
}

TEST_F(CellParameterReportTest, SelectWithoutCountIsKeyedOnOneField) {
  EXPECT_EQ("face[1]\t1\nband[1]\tB\npower[1]\t40\n", build("<SELECT Name=\"SWfaces\"/>"));
}

TEST_F(CellParameterReportTest, EachSelectUsesItsOwnKeyCount) {
  EXPECT_EQ(
      "face[1B]\t1\nband[1B]\tB\npower[1B]\t40\n"
      "face\t1\nband\tB\npower\t40\n"
      "face[1B40]\t1\nband[1B40]\tB\npower[1B40]\t40\n",
      build("<SELECT Name=\"SWfaces\" NumKeyFields=\"2\"/>"
            "<SELECT Name=\"SWfaces\" NumKeyFields=\"none\"/>"
            "<SELECT Name=\"SWfaces\" NumKeyFields=\"3x\"/>"));
}

TEST_F(CellParameterReportTest, WritesNoApBlock) {
  build("<SELECT Name=\"SWfaces\" NumKeyFields=\"2\"/>");
  EXPECT_EQ(std::vector<std::string>{kAntennaSql}, harness.connection.executed());
}

TEST_F(CellParameterReportTest, SteeringDataNameTemplateAndDataFile) {
  build("<SELECT Name=\"SWfaces\"/>");
  EXPECT_EQ("Param.xlt", steering.value("PFTemplateName"));
  EXPECT_EQ("stream0.txt", steering.value("PFDataFileName"));
  EXPECT_EQ("0", steering.value("runMacro"));
}

}  // namespace
