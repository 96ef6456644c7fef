// The layouts of the series-2 diagram. AMPS/TDMA: RTUs, radios with their
// SWctm row, SU, LOC and DCCH radios, boards; extra slots by unit type and
// frame 0; fields read by name. CDMA: which sections run, the growth-frame
// rule, the positions and lines of each section.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/series2/S2TestSupport.h"

namespace s2test {
namespace {

typedef std::vector<std::string> Row;
Row rtu(const char* tr, const char* rtuT, const char* hw) { return {"1", tr, rtuT, "5", "dv", hw}; }
// Radio `vrno` at frame 0, shelf 2, slot 5.
Row radio(const std::string& tech, const std::string& type, const std::string& vrno = "12") {
  return {"50", "0", "2", "5", "e", vrno, "a1", "t1", "101", "s3", "d4", tech, "g2", type, "m7"};
}
Row su(const std::string& type) {
  return {"1", "0", "1", "8", "e", "su1", "rf", "lac", type, "x9"};
}
Row loc(const std::string& type) { return {"1", "0", "2", "6", "e", "3", type}; }
Row dcch(const std::string& hw) {
  return {"1", "0", "3", "5", "12", "a1", "t1", "201", "dv", "", hw, "s0", "s1", "s2"};
}
// BBA 3 at shelf 2 of `frame`; CCC 5 at shelf 3; CCU at shelf 4.
Row bba(const std::string& frame, const std::string& status, const std::string& mxp = "MX12345") {
  return {"70",  "3",  status, "TRX",  "car4", "lac5", frame,   "2",    "ant8",
          "sc9", mxp,  "pg11", "lc12", "af13", "ch14", "pag15", "pn16", "acc17"};
}
Row ccc(const std::string& frame) {
  return {"80", "5", frame, "3", "ty4", "st5", "s6", "tg7", "tm8", "d9", "dd10", "m11", "z12"};
}
const Rows kCtm = {{"60", "tg1", "tm2", "lac3", "d0", "d1"}};
// CDMA primary frame 0, growth frame 1, frame 2 "ccm" (not a growth frame).
const std::vector<std::string> kCdmaFrames = {"pcm", "c", "ccm"};

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

const std::string kAmpsS2m = "L\t0\t1\t21\tRTU amps\nST\t0\t1\t21\te\n";
const std::string kAmpsS2 = "L\t0\t3\t13\tRTU amps\nST\t0\t3\t13\te\n";
const std::string kTdma1 = "L\t0\t1\t5\tTDMA RTU\nST\t0\t1\t5\tg dv\n";
const std::string kTdma1Etdru = kTdma1 + "L\t0\t1\t4\tTDMA RTU\n";
const std::string kTdma1Spread = kTdma1Etdru + "L\t0\t1\t6\tTDMA RTU\nL\t0\t1\t7\tTDMA RTU\n";

TEST(S2RtuTest, PlacedByFrameZeroAndHardwareType) {
  const struct {
    const char *fr0, *cea, *tr, *rtuT, *hwtype;
    std::string expected;
  } cases[] = {
      {"s2m", "", "e", "g", "trtu", kAmpsS2m + kTdma1Spread},
      {"s2mml", "", "e", "g", "etdru", kAmpsS2m + kTdma1Etdru},
      {"s2mm", "y", "e", "g", "trtu", kAmpsS2m + kTdma1},
      {"s2", "", "e", "g", "trtu",
       kAmpsS2 + "L\t0\t3\t5\tTDMA RTU\nL\t0\t3\t6\tTDMA RTU\nST\t0\t3\t5\tg dv\n"},
      {"cbs", "", "e", "g", "etdru", kAmpsS2 + "L\t0\t3\t5\tTDMA RTU\nST\t0\t3\t5\tg dv\n"},
      {"ptm", "", "e", "g", "trtu", kTdma1Spread}, {"ptmc", "", "e", "g", "etdru", kTdma1Etdru},
      {"s2m", "", "u", "u", "trtu", ""},           {"s2", "", "e", "u", "trtu", kAmpsS2},
      {"s2m", "", "u", "g", "trtu", kTdma1Spread}, {"pcm", "", "e", "g", "trtu", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fr0) + "/" + c.cea + " " + c.tr + " " + c.rtuT + " " + c.hwtype);
    S2Run r;
    r.frames({c.fr0, "s2"}, c.cea);
    r.rows(ampsSql("SWcom2"), {rtu(c.tr, c.rtuT, c.hwtype)});
    EXPECT_EQ(r.build(), c.expected);
  }
}

TEST(S2PrefixTest, RadioTextPrefixByTechnologyAndType) {
  const char* const cases[][3] = {
      {"amps", "sbrcu", "101as e 12"}, {"amps", "arcu", "101a e 12"},
      {"tdma", "etdru", "101te e 12"}, {"tdma", "tdru", "101t e 12"},
      {"cdma", "sbrcu", "101  e 12"},  {"AMPS", "sbrcu", "101  e 12"},
  };
  for (const auto& c : cases) {
    S2Run r;
    r.frames({"s2"});
    r.rows(ampsSql("SWrdtk"), {radio(c[0], c[1])});
    std::string text = r.build();
    EXPECT_EQ(text.substr(0, text.find('\n')), std::string("L\t0\t2\t5\t") + c[2]) << c[0] << c[1];
  }
}

// Slots of one unit at slot n (5 for radios and DCCH, 8 for SU, 6 for LOC):
// section, frame 0, CEA, technology, type, slots.
// clang-format off
const char* const kSpans[][6] = {
    {"radio", "s2m", "", "amps", "arcu", "5,4"}, {"radio", "s2mm", "y", "amps", "arcu", "5,4"},
    {"radio", "s2", "", "amps", "arcu", "5"}, {"radio", "s2m", "", "amps", "sbrcu", "5"},
    {"radio", "s2m", "", "tdma", "etdru", "5,6,4,7"},
    {"radio", "s2mm", "y", "tdma", "etdru", "5,6,4,7"},
    {"radio", "ptm", "", "tdma", "etdru", "5,6"}, {"radio", "s2m", "", "tdma", "tdru", "5,4"},
    {"radio", "s2mm", "y", "tdma", "tdru", "5"}, {"radio", "s2e", "", "tdma", "tdru", "5"},
    {"radio", "s2m", "", "cdma", "etdru", "5"}, {"dcch", "s2m", "", "", "etdru", "5,6,4,7"},
    {"dcch", "s2mm", "y", "", "etdru", "5,6,4,7"}, {"dcch", "s2", "", "", "etdru", "5,6"},
    {"dcch", "s2m", "", "", "tdru", "5,4"}, {"dcch", "s2mm", "y", "", "tdru", "5"},
    {"su", "s2m", "", "", "arcu", "8,7"}, {"su", "s2mm", "y", "", "arcu", "8"},
    {"su", "s2m", "", "", "tdru", "8,9,7,10"}, {"su", "s2mm", "y", "", "tdru", "8,9"},
    {"su", "ptm", "", "", "tdru", "8,9"}, {"su", "s2m", "", "", "etdru", "8"},
    {"loc", "s2m", "", "", "arcu", "6,5"}, {"loc", "s2mm", "y", "", "arac", "6,5"},
    {"loc", "s2", "", "", "arcu", "6"}, {"loc", "s2m", "", "", "tdru", "6,7,5,8"},
    {"loc", "s2m", "", "", "trtc", "6,7,5,8"}, {"loc", "s2mm", "y", "", "trtc", "6,7"},
    {"loc", "s2", "", "", "tdru", "6,7"}, {"loc", "s2m", "", "", "etdru", "6,5"},
    {"loc", "s2mm", "y", "", "etdru", "6"},
};
// clang-format on

TEST(S2SpanTest, ExtraSlotsByTypeAndFrameZero) {
  for (const auto& c : kSpans) {
    SCOPED_TRACE(std::string(c[0]) + " " + c[1] + "/" + c[2] + " " + c[3] + "/" + c[4]);
    S2Run r;
    r.frames({c[1]}, c[2]);
    std::string section = c[0];
    if (section == "radio") r.rows(ampsSql("SWrdtk"), {radio(c[3], c[4])});
    if (section == "dcch") r.rows(ampsSql("SWdcch"), {dcch(c[4])});
    if (section == "su") r.rows(ampsSql("SWsuradio"), {su(c[4])});
    if (section == "loc") r.rows(ampsSql("SWlocate", kLocSuffix), {loc(c[4])});
    EXPECT_EQ(slotsOf(r.build()), c[5]);
  }
}

TEST(S2CcuTest, LabelAndPositionFromTheUnitColumn) {
  // Query, frame, CE value, unit, lines.
  const char* const cases[][5] = {
      {"s2_evenccu", "1", "CE-2", "3", "L\t1\t4\t16\tTCU 3\nST\t1\t4\t16\tst4\n"},
      {"s2_evenccu", "0", "CE-32", "3", "L\t0\t4\t4\tECU-1X 3\nST\t0\t4\t4\tst4\n"},
      {"s2_evenccu", "2", "ce-2", "x", "L\t2\t4\t1\tECU x\nST\t2\t4\t1\tst4\n"},
      {"s2_oddccu", "1", "CE-32 ", "3", "L\t1\t4\t9\tECU-1X 3\nST\t1\t4\t9\tst4\n"},
      {"s2_oddccu", "1", "CE-3", "x", "L\t1\t4\t12\tECU x\nST\t1\t4\t12\tst4\n"},
      {"s2_oddccu", "0", "CE-2", "3", ""},
      {"s2_oddccu", "2", "CE-2", "3", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c[0]) + " frame " + c[1] + " " + c[2] + " unit " + c[3]);
    S2Run r;
    r.frames(kCdmaFrames);
    r.rows(cdmaSql(c[0]), {{"90", "1", c[1], "4", "st4", c[2], "x6", c[3]}});
    EXPECT_EQ(r.build(), c[4]);
  }
}

std::string cccLines(const std::string& frame, const std::string& position) {
  std::string at = frame + "\t3\t" + position + "\t";
  return "L\t" + at + "CCC 5\nST\t" + at + "st5 ty4 s:s6\nTR\t" + at + "tg:tg7 tm8 d9\nSAT\t" + at +
         "m:m11 d:dd10 z:z12\n";
}

// One build: frame technologies, scripted results, the configuration, the
// exact text after the select, and statements that must or must not run.
struct Layout {
  const char* what;
  std::vector<std::string> frames;
  std::vector<std::pair<std::string, Rows>> results;
  std::string text;
  std::vector<std::string> ran = {}, notRan = {};
  std::string xml = config();
};

TEST(S2LayoutTest, LinesOfEachSection) {
  const std::string byName = "select tbl.xmitsu, tbl.techtype, tbl.lac, tbl.rfpi, tbl.su_radio, "
                             "tbl.status, tbl.slot, tbl.shelf, tbl.frame from su tbl where "
                             "tbl.instance_id = 5";
  const std::string ds1 = "select tbl.frame, tbl.shelf, tbl.slot, tbl.status, tbl.ds1_brd, "
                          "tbl.ds1type from ds1 tbl where tbl.instance_id = 5" +
                          std::string(kDs1Suffix);
  const std::string noId = " AddInstanceId=\"False\"";
  const Layout cases[] = {
      {"a radio with its SWctm row, one without", {"s2m"},
       {{ampsSql("SWrdtk"), {radio("amps", "arcu"), radio("tdma", "tdru", "13")}},
        {ctmSql("12"), kCtm}},
       "L\t0\t2\t5\t101a e 12\nL\t0\t2\t4\t101a e 12\nST\t0\t2\t5\ttg:tg1 tm:tm2\n"
       "TR\t0\t2\t5\tR:a1 T:t1 sg:g2\nSAT\t0\t2\t5\ts:s3 L:lac3 M:m7\nDRE\t0\t2\t5\tds0/1:d0/d1\n"
       "L\t0\t2\t5\t101t e 13\nL\t0\t2\t4\t101t e 13\nST\t0\t2\t5\ttg: tm:\n"
       "TR\t0\t2\t5\tR:a1 T:t1 sg:g2\nSAT\t0\t2\t5\td:d4 L:0 M:m7\nDRE\t0\t2\t5\tds0/1:/\n",
       {ctmSql("13")}},
      {"an etdru DCCH radio at five on an s2m frame", {"s2m"},
       {{ampsSql("SWdcch"), {dcch("etdru")}}, {ctmSql("12"), kCtm}},
       "L\t0\t3\t5\t201de s0 12\nL\t0\t3\t6\t201de s0 12\nL\t0\t3\t4\t201de s0 12\n"
       "L\t0\t3\t7\t201de s0 12\nST\t0\t3\t5\ttg:tg1 tm:tm2\nTR\t0\t3\t5\tR:a1 T:t1\n"
       "SAT\t0\t3\t5\td:dv L:\nDRE\t0\t3\t5\tDCCH: s0/s1/s2\n"},
      {"SU and LOC radios", {"s2"},
       {{ampsSql("SWsuradio"), {su("arcu")}}, {ampsSql("SWlocate", kLocSuffix), {loc("arac")}}},
       "L\t0\t1\t8\tSU arcu su1\nST\t0\t1\t8\te F:rf\nTR\t0\t1\t8\tT:x9 LAC:lac\n"
       "L\t0\t2\t6\tLOC 3 arac\nST\t0\t2\t6\te\n"},
      {"fields found by name, offset by the instance id column", {"s2m"},
       {{byName, {{"x9", "arcu", "lac", "rf", "su1", "e", "8", "1", "0"}}}},
       "L\t0\t1\t8\tSU arcu su1\nL\t0\t1\t7\tSU arcu su1\nST\t0\t1\t8\te F:rf\n"
       "TR\t0\t1\t8\tT:x9 LAC:lac\n", {}, {},
       config("SWsuradio", queryXml("SWsuradio", "su", {"xmitsu", "techtype", "lac", "rfpi",
              "su_radio", "status", "slot", "shelf", "frame"}, noId))},
      {"board fields always offset by one", {"s2"},
       {{ds1, {{"0", "1", "3", "e", "2", "T1", "x"}}}}, "L\t1\t3\te\tx T1\nST\t1\t3\te\t2\n", {},
       {},
       config("SWds1brds", queryXml("SWds1brds", "ds1", {"frame", "shelf", "slot", "status",
              "ds1_brd", "ds1type"}, noId))},
      {"an active BBA row in a growth frame writes three full groups", kCdmaFrames,
       {{cdmaSql("s2_evenbba"), {bba("1", "g")}}},
       "L\t1\t2\t21\tBBA - BIU\nST\t1\t2\t21\tBBA:3 g\nTR\t1\t2\t21\tTRX\n"
       "SAT\t1\t2\t21\tcar:car4 ch:ch14\nDRE\t1\t2\t21\tPN:pn16\nL\t1\t2\t22\tBBA - ACU\n"
       "ST\t1\t2\t22\tLAC:lac5 Ant:ant8\nTR\t1\t2\t22\tPag:pag15 pg11\n"
       "SAT\t1\t2\t22\tScell:sc9\nDRE\t1\t2\t22\tAcc:acc17\nL\t1\t2\t23\tBBA - BCR\n"
       "ST\t1\t2\t23\tMxP:MX12\nTR\t1\t2\t23\tL/C MxP:lc12\nSAT\t1\t2\t23\tAF:af13\n"},
      {"a short multiplexer value is written whole", kCdmaFrames,
       {{cdmaSql("s2_evenbba"), {bba("0", "e", "AB")}}},
       "L\t0\t2\t6\tBBA - BIU\nST\t0\t2\t6\tBBA:3 e\nTR\t0\t2\t6\tTRX\n"
       "SAT\t0\t2\t6\tcar:car4 ch:ch14\nDRE\t0\t2\t6\tPN:pn16\nL\t0\t2\t7\tBBA - ACU\n"
       "ST\t0\t2\t7\tLAC:lac5 Ant:ant8\nTR\t0\t2\t7\tPag:pag15 pg11\n"
       "SAT\t0\t2\t7\tScell:sc9\nDRE\t0\t2\t7\tAcc:acc17\nL\t0\t2\t8\tBBA - BCR\n"
       "ST\t0\t2\t8\tMxP:AB\nTR\t0\t2\t8\tL/C MxP:lc12\nSAT\t0\t2\t8\tAF:af13\n"},
      {"a frame-2 ccm row is a primary row; the odd query writes nothing for it", kCdmaFrames,
       {{cdmaSql("s2_evenbba"), {bba("2", "u")}}, {cdmaSql("s2_oddbba"), {bba("2", "e")}}},
       "L\t2\t2\t6\tBBA - BIU\nL\t2\t2\t7\tBBA - ACU\nL\t2\t2\t8\tBBA - BCR\n",
       {cdmaSql("s2_oddbba")}},
      {"no odd BBA without a growth frame", {"pcm", "ccm"}, {}, "", {cdmaSql("s2_oddccc")},
       {cdmaSql("s2_oddbba")}},
      {"CCC rows even at 13 (growth) or 1, odd at 12 in growth only", kCdmaFrames,
       {{cdmaSql("s2_evenccc"), {ccc("1"), ccc("0")}},
        {cdmaSql("s2_oddccc"), {ccc("0"), ccc("1")}}},
       cccLines("1", "13") + cccLines("0", "1") + cccLines("1", "12")},
      {"no CRTU without a CDMA primary frame", {"s2", "c", "pcm"}, {}, "",
       {cdmaSql("s2_catbrds")}, {cdmaSql("s2_crtu")}},
      {"DS1 and CAT boards at their slots", kCdmaFrames,
       {{cdmaSql("s2_ds1brds"), {{"1", "1", "0", "5", "2", "T1", "e"}}},
        {cdmaSql("s2_catbrds"),
         {{"1", "0", "1", "6", "c", "4", "e"}, {"1", "0", "1", "7", "C", "5", "u"}}}},
       "L\t1\t0\t5\tT1 2\nST\t1\t0\t5\te\nL\t0\t1\t6\tCAT 4\nST\t0\t1\t6\te\n"
       "L\t0\t1\t7\tSCT 5\nST\t0\t1\t7\tu\n"},
  };
  for (const Layout& c : cases) {
    SCOPED_TRACE(c.what);
    S2Run r;
    r.frames(c.frames);
    for (const auto& result : c.results) r.rows(result.first, result.second);
    EXPECT_EQ(r.build(c.xml), c.text);
    for (const std::string& sql : c.ran) EXPECT_TRUE(r.executed(sql)) << sql;
    for (const std::string& sql : c.notRan) EXPECT_FALSE(r.executed(sql)) << sql;
  }
}

TEST(S2LayoutTest, UndefinedQueryEndsTheLayoutWithItsName) {
  S2Run amps, cdma;
  amps.frames({"s2"});
  EXPECT_EQ(amps.buildError(config("SWctm", "")), "Query not defined in config file: SWctm");
  cdma.frames(kCdmaFrames);
  EXPECT_EQ(cdma.buildError(config("s2_crtu", "")), "Query not defined in config file: s2_crtu");
  EXPECT_FALSE(cdma.executed(cdmaSql("s2_catbrds")));
}

}  // namespace
}  // namespace s2test
