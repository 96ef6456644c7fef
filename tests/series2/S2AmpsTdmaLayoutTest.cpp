// The AMPS/TDMA layout of the series-2 diagram: RTUs, radios with their
// SWctm row, SU and LOC radios, boards and DCCH radios; the extra slots by
// unit type and frame 0; fields read by name.
#include <gtest/gtest.h>

#include <sstream>

#include "framework/KvException.h"
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
  std::string line, slots;
  while (std::getline(in, line)) {
    if (line.compare(0, 2, "L\t") != 0) continue;
    std::istringstream fields(line);
    std::string field;
    for (int i = 0; i < 4; ++i) std::getline(fields, field, '\t');
    slots += (slots.empty() ? "" : ",") + field;
  }
  return slots;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

struct RtuCase {
  const char* fr0;
  const char* cea;
  const char* tr;
  const char* rtuT;
  const char* hwtype;
  const char* expected;
};

const char kAmpsS2m[] = "L\t0\t1\t21\tRTU amps\nST\t0\t1\t21\te\n";
const char kAmpsS2[] = "L\t0\t3\t13\tRTU amps\nST\t0\t3\t13\te\n";
const char kTdmaShelf1[] = "L\t0\t1\t5\tTDMA RTU\nST\t0\t1\t5\tg dv\n";
const char kTdmaShelf1Spread[] =
    "L\t0\t1\t5\tTDMA RTU\nST\t0\t1\t5\tg dv\n"
    "L\t0\t1\t4\tTDMA RTU\nL\t0\t1\t6\tTDMA RTU\nL\t0\t1\t7\tTDMA RTU\n";
const char kTdmaShelf1Etdru[] = "L\t0\t1\t5\tTDMA RTU\nST\t0\t1\t5\tg dv\nL\t0\t1\t4\tTDMA RTU\n";

void PrintTo(const RtuCase& c, std::ostream* os) {
  *os << c.fr0 << "/" << c.cea << " tr=" << c.tr << " rtu_t=" << c.rtuT << " " << c.hwtype;
}

const RtuCase kRtuCases[] = {
    {"s2m", "", "e", "g", "trtu", nullptr},
    {"s2mml", "", "e", "g", "etdru", nullptr},
    {"s2mm", "y", "e", "g", "trtu", nullptr},
    {"s2", "", "e", "g", "trtu",
     "L\t0\t3\t13\tRTU amps\nST\t0\t3\t13\te\n"
     "L\t0\t3\t5\tTDMA RTU\nL\t0\t3\t6\tTDMA RTU\nST\t0\t3\t5\tg dv\n"},
    {"cbs", "", "e", "g", "etdru",
     "L\t0\t3\t13\tRTU amps\nST\t0\t3\t13\te\nL\t0\t3\t5\tTDMA RTU\nST\t0\t3\t5\tg dv\n"},
    {"ptm", "", "e", "g", "trtu", kTdmaShelf1Spread},
    {"ptmc", "", "e", "g", "etdru", kTdmaShelf1Etdru},
    {"s2m", "", "u", "u", "trtu", ""},
    {"s2", "", "e", "u", "trtu", kAmpsS2},
    {"s2m", "", "u", "g", "trtu", kTdmaShelf1Spread},
    {"pcm", "", "e", "g", "trtu", ""},
};

class S2RtuTest : public S2ReportTest, public ::testing::WithParamInterface<RtuCase> {};

TEST_P(S2RtuTest, PlacedByFrameZeroAndHardwareType) {
  const RtuCase& c = GetParam();
  frames({c.fr0, "s2"}, c.cea);
  rows(ampsSql("SWcom2"), {rtu(c.tr, c.rtuT, c.hwtype)});
  std::string expected;
  if (c.expected) {
    expected = c.expected;
  } else if (std::string(c.cea) == "y") {
    expected = std::string(kAmpsS2m) + kTdmaShelf1;
  } else {
    expected = std::string(kAmpsS2m) +
               (std::string(c.hwtype) == "etdru" ? kTdmaShelf1Etdru : kTdmaShelf1Spread);
  }
  EXPECT_EQ(build(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, S2RtuTest, ::testing::ValuesIn(kRtuCases));

TEST_F(S2ReportTest, RadioWritesItsFiveLineKindsWithItsCtmRow) {
  frames({"s2m"});
  rows(ampsSql("SWrdtk"), {radio("amps", "arcu")});
  rows(ctmSql("12"), kCtm);
  EXPECT_EQ(build(),
            "L\t0\t2\t5\t101a e 12\n"
            "L\t0\t2\t4\t101a e 12\n"
            "ST\t0\t2\t5\ttg:tg1 tm:tm2\n"
            "TR\t0\t2\t5\tR:a1 T:t1 sg:g2\n"
            "SAT\t0\t2\t5\ts:s3 L:lac3 M:m7\n"
            "DRE\t0\t2\t5\tds0/1:d0/d1\n");
}

TEST_F(S2ReportTest, RadioWithoutCtmRowHasEmptyCtmValuesAndLacZero) {
  frames({"s2"});
  rows(ampsSql("SWrdtk"), {radio("tdma", "tdru", "12"), radio("tdma", "tdru", "13")});
  rows(ctmSql("12"), kCtm);
  std::string text = build();
  EXPECT_EQ(text.substr(text.find("L\t0\t2\t5\t101t e 13")),
            "L\t0\t2\t5\t101t e 13\n"
            "ST\t0\t2\t5\ttg: tm:\n"
            "TR\t0\t2\t5\tR:a1 T:t1 sg:g2\n"
            "SAT\t0\t2\t5\td:d4 L:0 M:m7\n"
            "DRE\t0\t2\t5\tds0/1:/\n");
  EXPECT_TRUE(executed(ctmSql("13")));
}

struct PrefixCase {
  const char* vrtech;
  const char* techtype;
  const char* text;
};

void PrintTo(const PrefixCase& c, std::ostream* os) { *os << c.vrtech << "/" << c.techtype; }

const PrefixCase kPrefixCases[] = {
    {"amps", "sbrcu", "101as e 12"}, {"amps", "arcu", "101a e 12"},
    {"tdma", "etdru", "101te e 12"}, {"tdma", "tdru", "101t e 12"},
    {"cdma", "sbrcu", "101  e 12"},  {"AMPS", "sbrcu", "101  e 12"},
};

class S2PrefixTest : public S2ReportTest, public ::testing::WithParamInterface<PrefixCase> {};

TEST_P(S2PrefixTest, RadioTextPrefixByTechnologyAndType) {
  frames({"s2"});
  rows(ampsSql("SWrdtk"), {radio(GetParam().vrtech, GetParam().techtype)});
  EXPECT_EQ(firstLine(build()), std::string("L\t0\t2\t5\t") + GetParam().text + "\n");
}

INSTANTIATE_TEST_SUITE_P(Prefixes, S2PrefixTest, ::testing::ValuesIn(kPrefixCases));

// Slots of one unit at slot n (5 for radios and DCCH, 8 for SU, 6 for LOC).
struct SpanCase {
  const char* section;
  const char* fr0;
  const char* cea;
  const char* tech;
  const char* type;
  const char* slots;
};

void PrintTo(const SpanCase& c, std::ostream* os) {
  *os << c.section << " " << c.fr0 << "/" << c.cea << " " << c.tech << "/" << c.type;
}

const SpanCase kSpanCases[] = {
    {"radio", "s2m", "", "amps", "arcu", "5,4"},
    {"radio", "s2mm", "y", "amps", "arcu", "5,4"},
    {"radio", "s2", "", "amps", "arcu", "5"},
    {"radio", "s2m", "", "amps", "sbrcu", "5"},
    {"radio", "s2m", "", "tdma", "etdru", "5,6,4,7"},
    {"radio", "s2mm", "y", "tdma", "etdru", "5,6,4,7"},
    {"radio", "ptm", "", "tdma", "etdru", "5,6"},
    {"radio", "s2m", "", "tdma", "tdru", "5,4"},
    {"radio", "s2mm", "y", "tdma", "tdru", "5"},
    {"radio", "s2e", "", "tdma", "tdru", "5"},
    {"radio", "s2m", "", "cdma", "etdru", "5"},
    {"dcch", "s2m", "", "", "etdru", "5,6,4,7"},
    {"dcch", "s2mm", "y", "", "etdru", "5,6,4,7"},
    {"dcch", "s2", "", "", "etdru", "5,6"},
    {"dcch", "s2m", "", "", "tdru", "5,4"},
    {"dcch", "s2mm", "y", "", "tdru", "5"},
    {"su", "s2m", "", "", "arcu", "8,7"},
    {"su", "s2mm", "y", "", "arcu", "8"},
    {"su", "s2m", "", "", "tdru", "8,9,7,10"},
    {"su", "s2mm", "y", "", "tdru", "8,9"},
    {"su", "ptm", "", "", "tdru", "8,9"},
    {"su", "s2m", "", "", "etdru", "8"},
    {"loc", "s2m", "", "", "arcu", "6,5"},
    {"loc", "s2mm", "y", "", "arac", "6,5"},
    {"loc", "s2", "", "", "arcu", "6"},
    {"loc", "s2m", "", "", "tdru", "6,7,5,8"},
    {"loc", "s2m", "", "", "trtc", "6,7,5,8"},
    {"loc", "s2mm", "y", "", "trtc", "6,7"},
    {"loc", "s2", "", "", "tdru", "6,7"},
    {"loc", "s2m", "", "", "etdru", "6,5"},
    {"loc", "s2mm", "y", "", "etdru", "6"},
};

class S2SpanTest : public S2ReportTest, public ::testing::WithParamInterface<SpanCase> {};

TEST_P(S2SpanTest, ExtraSlotsByTypeAndFrameZero) {
  const SpanCase& c = GetParam();
  frames({c.fr0}, c.cea);
  std::string section = c.section;
  if (section == "radio") rows(ampsSql("SWrdtk"), {radio(c.tech, c.type)});
  if (section == "dcch") rows(ampsSql("SWdcch"), {dcch(c.type)});
  if (section == "su") rows(ampsSql("SWsuradio"), {suRadio(c.type)});
  if (section == "loc") rows(ampsSql("SWlocate", kLocSuffix), {locRadio(c.type)});
  EXPECT_EQ(slotsOf(build()), c.slots);
}

INSTANTIATE_TEST_SUITE_P(Units, S2SpanTest, ::testing::ValuesIn(kSpanCases));

TEST_F(S2ReportTest, EtdruDcchAtFiveOnS2mFrame) {
  frames({"s2m"});
  rows(ampsSql("SWdcch"), {dcch("etdru")});
  rows(ctmSql("12"), kCtm);
  EXPECT_EQ(build(),
            "L\t0\t3\t5\t201de s0 12\n"
            "L\t0\t3\t6\t201de s0 12\n"
            "L\t0\t3\t4\t201de s0 12\n"
            "L\t0\t3\t7\t201de s0 12\n"
            "ST\t0\t3\t5\ttg:tg1 tm:tm2\n"
            "TR\t0\t3\t5\tR:a1 T:t1\n"
            "SAT\t0\t3\t5\td:dv L:\n"
            "DRE\t0\t3\t5\tDCCH: s0/s1/s2\n");
}

TEST_F(S2ReportTest, SuAndLocRadioLines) {
  frames({"s2"});
  rows(ampsSql("SWsuradio"), {suRadio("arcu")});
  rows(ampsSql("SWlocate", kLocSuffix), {locRadio("arac")});
  EXPECT_EQ(build(),
            "L\t0\t1\t8\tSU arcu su1\nST\t0\t1\t8\te F:rf\nTR\t0\t1\t8\tT:x9 LAC:lac\n"
            "L\t0\t2\t6\tLOC 3 arac\nST\t0\t2\t6\te\n");
}

TEST_F(S2ReportTest, BoardsWithTheirLabels) {
  frames({"s2"});
  rows(ampsSql("SWds1brds", kDs1Suffix), {{"1", "0", "1", "3", "e", "2", "T1"}});
  rows(ampsSql("SWcatbrd", kCatSuffix),
       {{"1", "0", "1", "4", "e", "7", "c"}, {"1", "0", "1", "5", "e", "8", "s"}});
  EXPECT_EQ(build(),
            "L\t0\t1\t3\tT1 2\nST\t0\t1\t3\te\n"
            "L\t0\t1\t4\tCAT 7\nST\t0\t1\t4\te\n"
            "L\t0\t1\t5\tSCT 8\nST\t0\t1\t5\te\n");
}

TEST_F(S2ReportTest, Mm2sGrowthFrameKeepsOnlyShelfZeroCatBoards) {
  frames({"s2", "mm1"});
  rows(ampsSql("SWcatbrd", kCatSuffix),
       {{"1", "0", "1", "4", "e", "7", "c"}, {"1", "0", "0", "5", "e", "8", "c"}});
  EXPECT_EQ(build(), "L\t0\t0\t5\tCAT 8\nST\t0\t0\t5\te\n");
}

TEST_F(S2ReportTest, FieldsAreFoundByNameAndOffsetByTheInstanceIdColumn) {
  frames({"s2m"});
  std::string reversed = "<QUERY Name=\"SWsuradio\" Table=\"su\" AddInstanceId=\"False\"><FIELDS>";
  for (const char* f :
       {"xmitsu", "techtype", "lac", "rfpi", "su_radio", "status", "slot", "shelf", "frame"}) {
    reversed += std::string("<FIELD Name=\"") + f + "\"/>";
  }
  reversed += "</FIELDS></QUERY>";
  rows(
      "select tbl.xmitsu, tbl.techtype, tbl.lac, tbl.rfpi, tbl.su_radio, tbl.status, tbl.slot, "
      "tbl.shelf, tbl.frame from su tbl where tbl.instance_id = 5",
      {{"x9", "arcu", "lac", "rf", "su1", "e", "8", "1", "0"}});
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
      "<QUERY Name=\"SWds1brds\" Table=\"ds1\" AddInstanceId=\"False\"><FIELDS><FIELD "
      "Name=\"frame\"/><FIELD Name=\"shelf\"/><FIELD Name=\"slot\"/><FIELD Name=\"status\"/>"
      "<FIELD Name=\"ds1_brd\"/><FIELD Name=\"ds1type\"/></FIELDS></QUERY>";
  EXPECT_EQ(build(config("SWds1brds", def)), "L\t1\t3\te\tx T1\nST\t1\t3\te\t2\n");
}

TEST_F(S2ReportTest, UndefinedTrunkQueryEndsTheLayoutWithItsName) {
  frames({"s2"});
  h.configure(config("SWctm", ""));
  report = h.make<TarnelS2CellDiagramReport>("S2");
  try {
    h.run(*report, kCell);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ(e.message(), "Query not defined in config file: SWctm");
  }
}

TEST_F(S2ReportTest, AmpsTdmaSectionsRunInTheirOrder) {
  frames({"s2"});
  rows(ampsSql("SWrdtk"), {radio("amps", "arcu")});
  rows(ampsSql("SWdcch"), {dcch("tdru")});
  build();
  std::vector<std::string> run(h.connection.executed().begin() + 3, h.connection.executed().end());
  std::vector<std::string> expected = {ampsSql("SWcom2"),
                                       ampsSql("SWrdtk"),
                                       ctmSql("12"),
                                       ampsSql("SWsuradio"),
                                       ampsSql("SWlocate", kLocSuffix),
                                       ampsSql("SWds1brds", kDs1Suffix),
                                       ampsSql("SWcatbrd", kCatSuffix),
                                       ampsSql("SWdcch"),
                                       ctmSql("12")};
  EXPECT_EQ(run, expected);
}

}  // namespace
}  // namespace s2test
