// The neighbour-list reports: their section order, the key of the neighbour
// query, and the "nant" antenna bit map of the plain neighbour list.
#include <gtest/gtest.h>

#include <memory>

#include "framework/XMLDocument.h"
#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"
#include "reports/laf/TarnelLAFNeighbourListReport.h"
#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"
#include "tests/laf/LafReportFixture.h"

namespace {

const std::vector<std::string> kApSections = {"APcellFields", "SWLoadDataTRX", "APantenna2",
                                              "APvoicelaf"};

// A neighbour query `name` over rows (id, neighbour cell, sector, nant).
std::string neighbourQuery(const std::string& name) {
  return "<QUERY Name=\"" + name + "\" Select=\"nbr " + name +
         " \"><FIELDS><FIELD Name=\"cell\"/><FIELD Name=\"sector\"/><FIELD Name=\"nant\"/>"
         "</FIELDS></QUERY>";
}

std::vector<std::string> withAp(std::vector<std::string> names) {
  names.insert(names.begin(), kApSections.begin(), kApSections.end());
  return names;
}

class LafNeighbourListTest : public LafReportFixture {
 protected:
  // Configures the fixture with the neighbour query `name` replaced by one
  // that returns two neighbours.
  void configureNeighbours(const std::string& name) {
    configure(1, neighbourQuery(name), {name});
    harness.connection.script("nbr " + name + " " + std::to_string(kLaf),
                              {{"4500001", "12", "B", "7"}, {"4500002", "3", "A", "41"}});
  }
};

TEST_F(LafNeighbourListTest, PlainListKeysNeighboursByTwoColumnsAndShowsTheBits) {
  configureNeighbours("SWnbr");
  auto report = harness.make<TarnelLAFNeighbourListReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections(withAp({"AntennaLocalKey", "SGLocalKey", "DCSLocalKey2", "SWLAFtglist2"})) +
                "cell[12B]\t12\nsector[12B]\tB\nnant[12B]\t7 [012xxxx] \n"
                "cell[3A]\t3\nsector[3A]\tA\nnant[3A]\t41 [0xxxxx6] \n",
            harness.data.text(0));
}

TEST_F(LafNeighbourListTest, CdmaListStartsWithPptgAndKeysByOneColumn) {
  configureNeighbours("SWcdmanbr");
  auto report = harness.make<TarnelLAFCDMANeighbourListReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections(withAp({"pptg", "AntennaLocalKey", "SGLocalKey", "DCSLocalKey2",
                             "SWLAFtglist2"})) +
                "cell[12]\t12\nsector[12]\tB\nnant[12]\t7\n"
                "cell[3]\t3\nsector[3]\tA\nnant[3]\t41\n",
            harness.data.text(0));
}

TEST_F(LafNeighbourListTest, CdmaDhListStartsWithPptgAndKeysByOneColumn) {
  configureNeighbours("SWcdmadhonbr");
  auto report = harness.make<TarnelLAF_CDMA_DHNeighbourListReport>();
  harness.run(*report, kLaf);
  EXPECT_EQ(sections(withAp({"pptg", "AntennaLocalKey", "SGLocalKey", "DCSLocalKey2",
                             "SWLAFtglist2"})) +
                "cell[12]\t12\nsector[12]\tB\nnant[12]\t7\n"
                "cell[3]\t3\nsector[3]\tA\nnant[3]\t41\n",
            harness.data.text(0));
}

class NantFormatTest : public LafReportFixture {
 protected:
  void SetUp() override { configure(1); }

  std::string format(const std::string& fieldName, const std::string& value) {
    std::unique_ptr<KvXMLElement> field =
        XMLDocument::parseText("<FIELD Name=\"" + fieldName + "\"/>", "field");
    auto report = harness.make<TarnelLAFNeighbourListReport>();
    return report->finalFormat(field.get(), value).str();
  }
};

TEST_F(NantFormatTest, SetBitsShowTheirDigits) {
  EXPECT_EQ("0 [xxxxxxx] ", format("nant", "0"));
  EXPECT_EQ("7 [012xxxx] ", format("nant", "7"));
  EXPECT_EQ("41 [0xxxxx6] ", format("nant", "41"));
  EXPECT_EQ("7f [0123456] ", format("nant", "7f"));
  EXPECT_EQ("2A [x1x3x5x] ", format("nant", "2A"));
}

TEST_F(NantFormatTest, BitsAboveSixAreNotShown) {
  EXPECT_EQ("80 [xxxxxxx] ", format("nant", "80"));
  EXPECT_EQ("ff [0123456] ", format("nant", "ff"));
}

TEST_F(NantFormatTest, ReadsLikeScanfHex) {
  EXPECT_EQ(" 0x41 [0xxxxx6] ", format("nant", " 0x41"));
  EXPECT_EQ("5g [0x2xxxx] ", format("nant", "5g"));
  EXPECT_EQ("nil [xxxxxxx] ", format("nant", "nil"));
  EXPECT_EQ(" [xxxxxxx] ", format("nant", ""));
}

TEST_F(NantFormatTest, OtherFieldsAreUnchanged) {
  EXPECT_EQ("7", format("NANT", "7"));
  EXPECT_EQ("7", format("nant2", "7"));
  EXPECT_EQ("7", format("", "7"));
}

}  // namespace
