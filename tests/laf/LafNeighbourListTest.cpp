// The neighbour-list reports: the CDMA lists key neighbours by one column and
// leave "nant" as read; the plain list shows its antenna bit map.
#include <gtest/gtest.h>

#include <memory>

#include "framework/XMLDocument.h"
#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"
#include "reports/laf/TarnelLAFNeighbourListReport.h"
#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"
#include "tests/laf/LafReportFixture.h"

namespace {

class LafNeighbourListTest : public LafReportFixture {
 protected:
  // The stream of the report T with the neighbour query `name` replaced by
  // one returning two neighbours (cell, sector, nant).
  template <typename T>
  std::string listText(const std::string& name) {
    configure(1,
              "<QUERY Name=\"" + name + "\" Select=\"nbr " + name +
                  " \"><FIELDS><FIELD Name=\"cell\"/><FIELD Name=\"sector\"/>"
                  "<FIELD Name=\"nant\"/></FIELDS></QUERY>",
              {name});
    harness.connection.script("nbr " + name + " " + std::to_string(kLaf),
                              {{"4500001", "12", "B", "7"}, {"4500002", "3", "A", "41"}});
    auto report = harness.make<T>();
    harness.run(*report, kLaf);
    return harness.data.text(0);
  }

  const std::string kCdmaText =
      sections({"APcellFields", "SWLoadDataTRX", "APantenna2", "APvoicelaf", "pptg",
                "AntennaLocalKey", "SGLocalKey", "DCSLocalKey2", "SWLAFtglist2"}) +
      "cell[12]\t12\nsector[12]\tB\nnant[12]\t7\ncell[3]\t3\nsector[3]\tA\nnant[3]\t41\n";
};

TEST_F(LafNeighbourListTest, CdmaListKeysByOneColumnAndLeavesNantAsRead) {
  EXPECT_EQ(kCdmaText, listText<TarnelLAFCDMANeighbourListReport>("SWcdmanbr"));
}

TEST_F(LafNeighbourListTest, CdmaDhListKeysByOneColumnAndLeavesNantAsRead) {
  EXPECT_EQ(kCdmaText, listText<TarnelLAF_CDMA_DHNeighbourListReport>("SWcdmadhonbr"));
}

TEST_F(LafNeighbourListTest, NantShowsBitsZeroToSixReadAsScanfHex) {
  configure(1);
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
