// The CDMA layout of the series-2 diagram: which sections run, the growth
// frame rule, the positions and the exact placement lines of each section.
#include <gtest/gtest.h>

#include "tests/series2/S2TestSupport.h"

namespace s2test {
namespace {

// A BBA row: bba 3, status, frame, shelf 2 and the multiplexer value.
std::vector<std::string> bba(const std::string& frame, const std::string& status,
                             const std::string& mxp = "MX12345") {
  return {"70",  "3", status, "TRX",  "car4", "lac5", frame,   "2",    "ant8",
          "sc9", mxp, "pg11", "lc12", "af13", "ch14", "pag15", "pn16", "acc17"};
}

std::vector<std::string> ccc(const std::string& frame) {
  return {"80", "5", frame, "3", "ty4", "st5", "s6", "tg7", "tm8", "d9", "dd10", "m11", "z12"};
}

std::vector<std::string> ccu(const std::string& frame, const std::string& ce,
                             const std::string& unit) {
  return {"90", "1", frame, "4", "st4", ce, "x6", unit};
}

// CDMA primary frame 0, growth frame 1, frame 2 "ccm" (not a growth frame).
const std::vector<std::string> kCdmaFrames = {"pcm", "c", "ccm"};

class S2CdmaTest : public S2ReportTest {
 protected:
  void SetUp() override { frames(kCdmaFrames); }
};

TEST_F(S2CdmaTest, ActiveBbaRowInAGrowthFrameWritesThreeFullGroups) {
  rows(cdmaSql("s2_evenbba"), {bba("1", "g")});
  EXPECT_EQ(build(),
            "L\t1\t2\t21\tBBA - BIU\nST\t1\t2\t21\tBBA:3 g\nTR\t1\t2\t21\tTRX\n"
            "SAT\t1\t2\t21\tcar:car4 ch:ch14\nDRE\t1\t2\t21\tPN:pn16\nL\t1\t2\t22\tBBA - ACU\n"
            "ST\t1\t2\t22\tLAC:lac5 Ant:ant8\nTR\t1\t2\t22\tPag:pag15 pg11\n"
            "SAT\t1\t2\t22\tScell:sc9\nDRE\t1\t2\t22\tAcc:acc17\nL\t1\t2\t23\tBBA - BCR\n"
            "ST\t1\t2\t23\tMxP:MX12\nTR\t1\t2\t23\tL/C MxP:lc12\nSAT\t1\t2\t23\tAF:af13\n");
}

TEST_F(S2CdmaTest, ShortMultiplexerValueIsWrittenWhole) {
  rows(cdmaSql("s2_evenbba"), {bba("0", "e", "AB")});
  EXPECT_NE(build().find("ST\t0\t2\t8\tMxP:AB\n"), std::string::npos);
}

TEST_F(S2CdmaTest, FrameTwoCcmRowIsAPrimaryRowAndTheOddQueryWritesNothingForIt) {
  rows(cdmaSql("s2_evenbba"), {bba("2", "u")});
  rows(cdmaSql("s2_oddbba"), {bba("2", "e")});
  EXPECT_EQ(build(), "L\t2\t2\t6\tBBA - BIU\nL\t2\t2\t7\tBBA - ACU\nL\t2\t2\t8\tBBA - BCR\n");
  EXPECT_TRUE(executed(cdmaSql("s2_oddbba")));
}

TEST_F(S2CdmaTest, OddBbaIsNotRunWithoutAGrowthFrame) {
  frames({"pcm", "ccm"});
  build();
  EXPECT_FALSE(executed(cdmaSql("s2_oddbba")));
  EXPECT_TRUE(executed(cdmaSql("s2_oddccc")));
}

std::string cccLines(const std::string& frame, const std::string& position) {
  std::string at = frame + "\t3\t" + position + "\t";
  return "L\t" + at + "CCC 5\nST\t" + at + "st5 ty4 s:s6\nTR\t" + at + "tg:tg7 tm8 d9\nSAT\t" + at +
         "m:m11 d:dd10 z:z12\n";
}

TEST_F(S2CdmaTest, CccRowsEvenAtThirteenOrOneOddAtTwelveInGrowthOnly) {
  rows(cdmaSql("s2_evenccc"), {ccc("1"), ccc("0")});
  rows(cdmaSql("s2_oddccc"), {ccc("0"), ccc("1")});
  EXPECT_EQ(build(), cccLines("1", "13") + cccLines("0", "1") + cccLines("1", "12"));
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
    r.rows(cdmaSql(c[0]), {ccu(c[1], c[2], c[3])});
    EXPECT_EQ(r.build(), c[4]);
  }
}

TEST_F(S2CdmaTest, CrtuIsNotRunWithoutACdmaPrimaryFrame) {
  frames({"s2", "c", "pcm"});
  build();
  EXPECT_FALSE(executed(cdmaSql("s2_crtu")));
  EXPECT_TRUE(executed(cdmaSql("s2_catbrds")));
}

TEST_F(S2CdmaTest, UndefinedQueryEndsTheLayoutWithItsName) {
  rows(cdmaSql("s2_catbrds"), {{"1", "0", "1", "6", "c", "4", "e"}});
  EXPECT_EQ(buildError(config("s2_crtu", "")), "Query not defined in config file: s2_crtu");
  EXPECT_FALSE(executed(cdmaSql("s2_catbrds")));
}

TEST_F(S2CdmaTest, Ds1AndCatBoardsAtTheirSlots) {
  rows(cdmaSql("s2_ds1brds"), {{"1", "1", "0", "5", "2", "T1", "e"}});
  rows(cdmaSql("s2_catbrds"),
       {{"1", "0", "1", "6", "c", "4", "e"}, {"1", "0", "1", "7", "C", "5", "u"}});
  EXPECT_EQ(build(),
            "L\t1\t0\t5\tT1 2\nST\t1\t0\t5\te\nL\t0\t1\t6\tCAT 4\nST\t0\t1\t6\te\n"
            "L\t0\t1\t7\tSCT 5\nST\t0\t1\t7\tu\n");
}

}  // namespace
}  // namespace s2test
