// The AMPS/TDMA layout of the series-2 diagram: RTUs, radios with their
// SWctm row, SU and LOC radios, boards and DCCH radios; the extra slots by
// unit type and frame 0; fields read by name.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/series2/S2TestSupport.h"

namespace s2test {
namespace {

std::vector<std::string> rtu(const std::string& tr, const std::string& rtuT,
                             const std::string& hwtype) {
  return {"1", tr, rtuT, "5", "dv", hwtype};
}
// Radio 12 at frame 0, shelf 2, slot 5.
std::vector<std::string> radio(const std::string& vrtech, const std::string& techtype,
                               const std::string& vrno = "12") {
  return {"50",  "0",  "2",  "5",    "e",  vrno,     "a1", "t1",
          "101", "s3", "d4", vrtech, "g2", techtype, "m7"};
}
const Rows kCtm = {{"60", "tg1", "tm2", "lac3", "d0", "d1"}};
std::vector<std::string> suRadio(const std::string& techtype) {
  return {"1", "0", "1", "8", "e", "su1", "rf", "lac", techtype, "x9"};
}
std::vector<std::string> locRadio(const std::string& type) {
  return {"1", "0", "2", "6", "e", "3", type};
}
std::vector<std::string> dcch(const std::string& hwtype) {
  return {"1", "0", "3", "5", "12", "a1", "t1", "201", "dv", "", hwtype, "s0", "s1", "s2"};
}

// The slots of the "L" lines, in order, joined by ','.
std::string slotsOf(const std::string& text) {
  std::istringstream in(text);
  std::string kind, frame, shelf, slot, rest, slots;
  while (std::getline(in, kind, '\t') && std::getline(in, frame, '\t') &&
         std::getline(in, shelf, '\t') && std::getline(in, slot, '\t') && std::getline(in, rest)) {
    if (kind == "L") slots += (slots.empty() ? "" : ",") + slot;
  }
  return slots;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

const std::string kAmpsS2m = "L\t0\t1\t21\tRTU amps\nST\t0\t1\t21\te\n";
const std::string kAmpsS2 = "L\t0\t3\t13\tRTU amps\nST\t0\t3\t13\te\n";
const std::string kTdma1 = "L\t0\t1\t5\tTDMA RTU\nST\t0\t1\t5\tg dv\n";
const std::string kTdma1Etdru = kTdma1 + "L\t0\t1\t4\tTDMA RTU\n";
const std::string kTdma1Spread = kTdma1Etdru + "L\t0\t1\t6\tTDMA RTU\nL\t0\t1\t7\tTDMA RTU\n";

struct RtuCase {
  const char *fr0, *cea, *tr, *rtuT, *hwtype;
  std::string expected;
};

const RtuCase kRtuCases[] = {
    {"s2m", "", "e", "g", "trtu", kAmpsS2m + kTdma1Spread},
    {"s2mml", "", "e", "g", "etdru", kAmpsS2m + kTdma1Etdru},
    {"s2mm", "y", "e", "g", "trtu", kAmpsS2m + kTdma1},
    {"s2", "", "e", "g", "trtu",
     kAmpsS2 + "L\t0\t3\t5\tTDMA RTU\nL\t0\t3\t6\tTDMA RTU\nST\t0\t3\t5\tg dv\n"},
    {"cbs", "", "e", "g", "etdru", kAmpsS2 + "L\t0\t3\t5\tTDMA RTU\nST\t0\t3\t5\tg dv\n"},
    {"ptm", "", "e", "g", "trtu", kTdma1Spread},
    {"ptmc", "", "e", "g", "etdru", kTdma1Etdru},
    {"s2m", "", "u", "u", "trtu", ""},
    {"s2", "", "e", "u", "trtu", kAmpsS2},
    {"s2m", "", "u", "g", "trtu", kTdma1Spread},
    {"pcm", "", "e", "g", "trtu", ""},
};

TEST(S2RtuTest, PlacedByFrameZeroAndHardwareType) {
  for (const RtuCase& c : kRtuCases) {
    SCOPED_TRACE(std::string(c.fr0) + "/" + c.cea + " " + c.tr + " " + c.rtuT + " " + c.hwtype);
    S2Run r;
    r.frames({c.fr0, "s2"}, c.cea);
    r.rows(ampsSql("SWcom2"), {rtu(c.tr, c.rtuT, c.hwtype)});
    EXPECT_EQ(r.build(), c.expected);
  }
}

TEST_F(S2ReportTest, RadioWritesItsFiveLineKindsWithItsCtmRow) {
  frames({"s2m"});
  rows(ampsSql("SWrdtk"), {radio("amps", "arcu")});
  rows(ctmSql("12"), kCtm);
  EXPECT_EQ(build(),
            "L\t0\t2\t5\t101a e 12\nL\t0\t2\t4\t101a e 12\nST\t0\t2\t5\ttg:tg1 tm:tm2\n"
            "TR\t0\t2\t5\tR:a1 T:t1 sg:g2\nSAT\t0\t2\t5\ts:s3 L:lac3 M:m7\n"
            "DRE\t0\t2\t5\tds0/1:d0/d1\n");
}

TEST_F(S2ReportTest, RadioWithoutCtmRowHasEmptyCtmValuesAndLacZero) {
  frames({"s2"});
  rows(ampsSql("SWrdtk"), {radio("tdma", "tdru", "12"), radio("tdma", "tdru", "13")});
  rows(ctmSql("12"), kCtm);
  std::string text = build();
  EXPECT_EQ(text.substr(text.find("L\t0\t2\t5\t101t e 13")),
            "L\t0\t2\t5\t101t e 13\nST\t0\t2\t5\ttg: tm:\nTR\t0\t2\t5\tR:a1 T:t1 sg:g2\n"
            "SAT\t0\t2\t5\td:d4 L:0 M:m7\nDRE\t0\t2\t5\tds0/1:/\n");
  EXPECT_TRUE(executed(ctmSql("13")));
}

TEST(S2PrefixTest, RadioTextPrefixByTechnologyAndType) {
  const char* const cases[][3] = {
      {"amps", "sbrcu", "101as e 12"}, {"amps", "arcu", "101a e 12"},
      {"tdma", "etdru", "101te e 12"}, {"tdma", "tdru", "101t e 12"},
      {"cdma", "sbrcu", "101  e 12"},  {"AMPS", "sbrcu", "101  e 12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c[0]) + "/" + c[1]);
    S2Run r;
    r.frames({"s2"});
    r.rows(ampsSql("SWrdtk"), {radio(c[0], c[1])});
    EXPECT_EQ(firstLine(r.build()), std::string("L\t0\t2\t5\t") + c[2] + "\n");
  }
}

// Slots of one unit at slot n (5 for radios and DCCH, 8 for SU, 6 for LOC).
struct SpanCase {
  const char *section, *fr0, *cea, *tech, *type, *slots;
};

// clang-format off
const SpanCase kSpanCases[] = {
    {"radio", "s2m", "", "amps", "arcu", "5,4"},    {"radio", "s2mm", "y", "amps", "arcu", "5,4"},
    {"radio", "s2", "", "amps", "arcu", "5"},       {"radio", "s2m", "", "amps", "sbrcu", "5"},
    {"radio", "s2m", "", "tdma", "etdru", "5,6,4,7"},
    {"radio", "s2mm", "y", "tdma", "etdru", "5,6,4,7"},
    {"radio", "ptm", "", "tdma", "etdru", "5,6"},   {"radio", "s2m", "", "tdma", "tdru", "5,4"},
    {"radio", "s2mm", "y", "tdma", "tdru", "5"},    {"radio", "s2e", "", "tdma", "tdru", "5"},
    {"radio", "s2m", "", "cdma", "etdru", "5"},     {"dcch", "s2m", "", "", "etdru", "5,6,4,7"},
    {"dcch", "s2mm", "y", "", "etdru", "5,6,4,7"},  {"dcch", "s2", "", "", "etdru", "5,6"},
    {"dcch", "s2m", "", "", "tdru", "5,4"},         {"dcch", "s2mm", "y", "", "tdru", "5"},
    {"su", "s2m", "", "", "arcu", "8,7"},           {"su", "s2mm", "y", "", "arcu", "8"},
    {"su", "s2m", "", "", "tdru", "8,9,7,10"},      {"su", "s2mm", "y", "", "tdru", "8,9"},
    {"su", "ptm", "", "", "tdru", "8,9"},           {"su", "s2m", "", "", "etdru", "8"},
    {"loc", "s2m", "", "", "arcu", "6,5"},          {"loc", "s2mm", "y", "", "arac", "6,5"},
    {"loc", "s2", "", "", "arcu", "6"},             {"loc", "s2m", "", "", "tdru", "6,7,5,8"},
    {"loc", "s2m", "", "", "trtc", "6,7,5,8"},      {"loc", "s2mm", "y", "", "trtc", "6,7"},
    {"loc", "s2", "", "", "tdru", "6,7"},           {"loc", "s2m", "", "", "etdru", "6,5"},
    {"loc", "s2mm", "y", "", "etdru", "6"},
};
// clang-format on

TEST(S2SpanTest, ExtraSlotsByTypeAndFrameZero) {
  for (const SpanCase& c : kSpanCases) {
    SCOPED_TRACE(std::string(c.section) + " " + c.fr0 + "/" + c.cea + " " + c.tech + "/" + c.type);
    S2Run r;
    r.frames({c.fr0}, c.cea);
    std::string section = c.section;
    if (section == "radio") r.rows(ampsSql("SWrdtk"), {radio(c.tech, c.type)});
    if (section == "dcch") r.rows(ampsSql("SWdcch"), {dcch(c.type)});
    if (section == "su") r.rows(ampsSql("SWsuradio"), {suRadio(c.type)});
    if (section == "loc") r.rows(ampsSql("SWlocate", kLocSuffix), {locRadio(c.type)});
    EXPECT_EQ(slotsOf(r.build()), c.slots);
  }
}

TEST_F(S2ReportTest, EtdruDcchAtFiveOnS2mFrame) {
  frames({"s2m"});
  rows(ampsSql("SWdcch"), {dcch("etdru")});
  rows(ctmSql("12"), kCtm);
  EXPECT_EQ(build(),
            "L\t0\t3\t5\t201de s0 12\nL\t0\t3\t6\t201de s0 12\nL\t0\t3\t4\t201de s0 12\n"
            "L\t0\t3\t7\t201de s0 12\nST\t0\t3\t5\ttg:tg1 tm:tm2\nTR\t0\t3\t5\tR:a1 T:t1\n"
            "SAT\t0\t3\t5\td:dv L:\nDRE\t0\t3\t5\tDCCH: s0/s1/s2\n");
}

TEST_F(S2ReportTest, SuAndLocRadioLines) {
  frames({"s2"});
  rows(ampsSql("SWsuradio"), {suRadio("arcu")});
  rows(ampsSql("SWlocate", kLocSuffix), {locRadio("arac")});
  EXPECT_EQ(build(),
            "L\t0\t1\t8\tSU arcu su1\nST\t0\t1\t8\te F:rf\nTR\t0\t1\t8\tT:x9 LAC:lac\n"
            "L\t0\t2\t6\tLOC 3 arac\nST\t0\t2\t6\te\n");
}

TEST_F(S2ReportTest, FieldsAreFoundByNameAndOffsetByTheInstanceIdColumn) {
  frames({"s2m"});
  rows(
      "select tbl.xmitsu, tbl.techtype, tbl.lac, tbl.rfpi, tbl.su_radio, tbl.status, tbl.slot, "
      "tbl.shelf, tbl.frame from su tbl where tbl.instance_id = 5",
      {{"x9", "arcu", "lac", "rf", "su1", "e", "8", "1", "0"}});
  std::string reversed = queryXml(
      "SWsuradio", "su",
      {"xmitsu", "techtype", "lac", "rfpi", "su_radio", "status", "slot", "shelf", "frame"},
      " AddInstanceId=\"False\"");
  EXPECT_EQ(build(config("SWsuradio", reversed)),
            "L\t0\t1\t8\tSU arcu su1\nL\t0\t1\t7\tSU arcu su1\nST\t0\t1\t8\te F:rf\n"
            "TR\t0\t1\t8\tT:x9 LAC:lac\n");
}

TEST_F(S2ReportTest, BoardFieldsAreAlwaysOffsetByOne) {
  frames({"s2"});
  rows(
      "select tbl.frame, tbl.shelf, tbl.slot, tbl.status, tbl.ds1_brd, tbl.ds1type from ds1 "
      "tbl where tbl.instance_id = 5" +
          std::string(kDs1Suffix),
      {{"0", "1", "3", "e", "2", "T1", "x"}});
  std::string def =
      queryXml("SWds1brds", "ds1", {"frame", "shelf", "slot", "status", "ds1_brd", "ds1type"},
               " AddInstanceId=\"False\"");
  EXPECT_EQ(build(config("SWds1brds", def)), "L\t1\t3\te\tx T1\nST\t1\t3\te\t2\n");
}

TEST_F(S2ReportTest, UndefinedTrunkQueryEndsTheLayoutWithItsName) {
  frames({"s2"});
  EXPECT_EQ(buildError(config("SWctm", "")), "Query not defined in config file: SWctm");
}

}  // namespace
}  // namespace s2test
