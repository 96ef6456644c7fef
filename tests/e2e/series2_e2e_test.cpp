// End-to-end runs of the series-2 cell diagram on the demo network: one cell
// of each technology combination (series-2 cells of the 60-cell, seed-7 demo
// are 4, 13, 22, 31, 40, 49 and 58), with the exact stream text and the
// frame templates and technologies of the steering data.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kConfig[] = "reports/series2/s2_cell_diagram.xml";
const char kClass[] = "TarnelS2CellDiagramReport";

// The value of `key` in a steering file; "?" when absent.
std::string steeringValue(const std::string& json, const std::string& key) {
  std::string tag = "\"" + key + "\": \"";
  size_t at = json.find(tag);
  if (at == std::string::npos) return "?";
  at += tag.size();
  return json.substr(at, json.find('"', at) - at);
}

// The six templates and the six frame technologies of a steering file, as
// "t0,...,t5 | f0,...,f5".
std::string frameSteering(const std::string& json) {
  std::string templates, techs;
  for (int i = 0; i < 6; ++i) {
    templates += (i ? "," : "") + steeringValue(json, "PFTemplate" + std::to_string(i));
    techs += (i ? "," : "") + steeringValue(json, "PFFrtech" + std::to_string(i));
  }
  return templates + " | " + techs;
}

std::string cellHeader(int n, const char* cea) {
  std::string number = std::to_string(n);
  return "CellName\tCELL" + std::string(5 - number.size(), '0') + number + "\ncell_number\t" +
         number + "\nseries\t2\nstatus\te\ns2mmcea_t\t" + cea + "\n";
}

struct CellRun {
  ReportRun run;
  std::string text;
  std::string steering;
};

CellRun runCell(int n) {
  CellRun r;
  int id = 1000000 + n;
  r.run = runExample(kConfig, kClass, id);
  std::string stem = "s2_cell_diagram_" + std::to_string(id);
  r.text = r.run.file(stem + ".txt");
  r.steering = r.run.file(stem + ".steering.json");
  return r;
}

// Frame 0 "s2m", growth frames "s2" and "ptmg": RTUs on shelf 1, amps "arcu" and tdma "etdru"
// radios over several slots, the etdru DCCH at 5, 6, 4, 7.
TEST(Series2E2e, S2mPrimaryWithGrowthFrames) {
  CellRun r = runCell(4);
  ASSERT_EQ(0, r.run.result.exitCode) << r.run.result.err;
  EXPECT_EQ(cellHeader(4, "n") +
                "L\t0\t1\t21\tRTU amps\n"
                "ST\t0\t1\t21\te\n"
                "L\t0\t1\t5\tTDMA RTU\n"
                "ST\t0\t1\t5\te 28\n"
                "L\t0\t1\t4\tTDMA RTU\n"
                "L\t0\t1\t6\tTDMA RTU\n"
                "L\t0\t1\t7\tTDMA RTU\n"
                "L\t0\t1\t4\t312as e 1\n"
                "ST\t0\t1\t4\ttg:100 tm:1\n"
                "TR\t0\t1\t4\tR:0 T:1 sg:0\n"
                "SAT\t0\t1\t4\ts:1 L:1000 M:0\n"
                "DRE\t0\t1\t4\tds0/1:2/0\n"
                "L\t0\t1\t8\t319a e 2\n"
                "L\t0\t1\t7\t319a e 2\n"
                "ST\t0\t1\t8\ttg: tm:\n"
                "TR\t0\t1\t8\tR:1 T:2 sg:1\n"
                "SAT\t0\t1\t8\ts:2 L:0 M:1\n"
                "DRE\t0\t1\t8\tds0/1:/\n"
                "L\t0\t2\t12\t326te i 3\n"
                "L\t0\t2\t13\t326te i 3\n"
                "L\t0\t2\t11\t326te i 3\n"
                "L\t0\t2\t14\t326te i 3\n"
                "ST\t0\t2\t12\ttg:100 tm:3\n"
                "TR\t0\t2\t12\tR:2 T:0 sg:2\n"
                "SAT\t0\t2\t12\td:22 L:0 M:2\n"
                "DRE\t0\t2\t12\tds0/1:6/0\n"
                "L\t0\t2\t8\tSU arcu 1\n"
                "L\t0\t2\t7\tSU arcu 1\n"
                "ST\t0\t2\t8\te F:0\n"
                "TR\t0\t2\t8\tT:0 LAC:2000\n"
                "L\t0\t2\t12\tLOC 1 arcu\n"
                "L\t0\t2\t11\tLOC 1 arcu\n"
                "ST\t0\t2\t12\te\n"
                "L\t0\t2\t16\tLOC 2 arac\n"
                "L\t0\t2\t15\tLOC 2 arac\n"
                "ST\t0\t2\t16\te\n"
                "L\t0\t0\t2\tT1 1\n"
                "ST\t0\t0\t2\te\n"
                "L\t0\t0\t18\tCAT 1\n"
                "ST\t0\t0\t18\te\n"
                "L\t0\t1\t19\tSCT 2\n"
                "ST\t0\t1\t19\te\n"
                "L\t0\t3\t5\t704de e 9\n"
                "L\t0\t3\t6\t704de e 9\n"
                "L\t0\t3\t4\t704de e 9\n"
                "L\t0\t3\t7\t704de e 9\n"
                "ST\t0\t3\t5\ttg:100 tm:9\n"
                "TR\t0\t3\t5\tR:0 T:1\n"
                "SAT\t0\t3\t5\td:44 L:3000\n"
                "DRE\t0\t3\t5\tDCCH: e/a/i\n",
            r.text);
  EXPECT_EQ("s2m.xlt,s2gr.xlt,s2ptmg.xlt,UNEQUIPPED,UNEQUIPPED,UNEQUIPPED | s2m,s2,ptmg,u,u,u",
            frameSteering(r.steering));
}

// Frame 0 "s2mm" with CEA, frame 1 "c": the TDMA RTU and tdru radios on one slot, then the CDMA
// growth frame (odd BBA at 4, 3, 2; CE-2 unit as TCU).
TEST(Series2E2e, S2mmWithCeaAndCdmaGrowth) {
  CellRun r = runCell(13);
  ASSERT_EQ(0, r.run.result.exitCode) << r.run.result.err;
  EXPECT_EQ(cellHeader(13, "y") +
                "L\t0\t1\t21\tRTU amps\n"
                "ST\t0\t1\t21\te\n"
                "L\t0\t1\t6\tTDMA RTU\n"
                "ST\t0\t1\t6\te 91\n"
                "L\t0\t1\t4\t339t e 1\n"
                "ST\t0\t1\t4\ttg:101 tm:1\n"
                "TR\t0\t1\t4\tR:0 T:1 sg:0\n"
                "SAT\t0\t1\t4\td:65 L:1001 M:1\n"
                "DRE\t0\t1\t4\tds0/1:2/1\n"
                "L\t0\t1\t8\t346  e 2\n"
                "ST\t0\t1\t8\ttg:101 tm:2\n"
                "TR\t0\t1\t8\tR:1 T:2 sg:1\n"
                "SAT\t0\t1\t8\td:66 L:1001 M:2\n"
                "DRE\t0\t1\t8\tds0/1:4/1\n"
                "L\t0\t2\t12\t353t i 3\n"
                "ST\t0\t2\t12\ttg:101 tm:3\n"
                "TR\t0\t2\t12\tR:2 T:0 sg:2\n"
                "SAT\t0\t2\t12\td:67 L:0 M:3\n"
                "DRE\t0\t2\t12\tds0/1:6/1\n"
                "L\t0\t2\t8\tSU tdru 2\n"
                "L\t0\t2\t9\tSU tdru 2\n"
                "ST\t0\t2\t8\te F:1\n"
                "TR\t0\t2\t8\tT:1 LAC:2001\n"
                "L\t0\t2\t12\tLOC 1 tdru\n"
                "L\t0\t2\t13\tLOC 1 tdru\n"
                "ST\t0\t2\t12\te\n"
                "L\t0\t2\t16\tLOC 2 trtc\n"
                "L\t0\t2\t17\tLOC 2 trtc\n"
                "ST\t0\t2\t16\te\n"
                "L\t0\t0\t2\tE1 1\n"
                "ST\t0\t0\t2\te\n"
                "L\t0\t0\t18\tCAT 1\n"
                "ST\t0\t0\t18\te\n"
                "L\t0\t1\t19\tSCT 2\n"
                "ST\t0\t1\t19\te\n"
                "L\t0\t3\t5\t713d e 9\n"
                "ST\t0\t3\t5\ttg:101 tm:9\n"
                "TR\t0\t3\t5\tR:0 T:1\n"
                "SAT\t0\t3\t5\td:143 L:\n"
                "DRE\t0\t3\t5\tDCCH: e/a/i\n"
                "L\t1\t1\t21\tBBA - BIU\n"
                "L\t1\t1\t22\tBBA - ACU\n"
                "L\t1\t1\t23\tBBA - BCR\n"
                "L\t1\t1\t13\tCCC 2\n"
                "ST\t1\t1\t13\to CCC-A s:2\n"
                "TR\t1\t1\t13\ttg:101 22 0\n"
                "SAT\t1\t1\t13\tm:n d:4 z:1\n"
                "L\t1\t2\t16\tTCU 3\n"
                "ST\t1\t2\t16\te\n"
                "L\t1\t2\t4\tBBA - BIU\n"
                "ST\t1\t2\t4\tBBA:3 e\n"
                "TR\t1\t2\t4\tTG11\n"
                "SAT\t1\t2\t4\tcar:2 ch:308\n"
                "DRE\t1\t2\t4\tPN:39\n"
                "L\t1\t2\t3\tBBA - ACU\n"
                "ST\t1\t2\t3\tLAC:4001 Ant:1\n"
                "TR\t1\t2\t3\tPag:2 2\n"
                "SAT\t1\t2\t3\tScell:13\n"
                "DRE\t1\t2\t3\tAcc:1\n"
                "L\t1\t2\t2\tBBA - BCR\n"
                "ST\t1\t2\t2\tMxP:MX00\n"
                "TR\t1\t2\t2\tL/C MxP:6\n"
                "SAT\t1\t2\t2\tAF:2\n"
                "L\t1\t1\t12\tCCC 3\n"
                "ST\t1\t1\t12\te CCC-B s:3\n"
                "TR\t1\t1\t12\ttg:101 23 1\n"
                "SAT\t1\t1\t12\tm:n d:4 z:1\n"
                "L\t1\t2\t8\tECU-1X 4\n"
                "ST\t1\t2\t8\tg\n"
                "L\t1\t0\t20\tT1 1\n"
                "ST\t1\t0\t20\te\n"
                "L\t1\t0\t19\tCAT 1\n"
                "ST\t1\t0\t19\tg\n",
            r.text);
  EXPECT_EQ("s2m.xlt,s2cdma.xlt,UNEQUIPPED,UNEQUIPPED,UNEQUIPPED,UNEQUIPPED | s2mm,c,u,u,u,u",
            frameSteering(r.steering));
}

// frame 0 "s2e", frames "mm2s", "s2", "ptmg": RTUs on shelf 3, etdru units over two slots.
TEST(Series2E2e, S2PrimaryWithMm2sGrowth) {
  CellRun r = runCell(22);
  ASSERT_EQ(0, r.run.result.exitCode) << r.run.result.err;
  EXPECT_EQ(cellHeader(22, "n") +
                "L\t0\t3\t13\tRTU amps\n"
                "ST\t0\t3\t13\te\n"
                "L\t0\t3\t7\tTDMA RTU\n"
                "L\t0\t3\t8\tTDMA RTU\n"
                "ST\t0\t3\t7\te 154\n"
                "L\t0\t1\t4\t366as e 1\n"
                "ST\t0\t1\t4\ttg:102 tm:1\n"
                "TR\t0\t1\t4\tR:0 T:1 sg:0\n"
                "SAT\t0\t1\t4\ts:1 L:1002 M:2\n"
                "DRE\t0\t1\t4\tds0/1:2/2\n"
                "L\t0\t1\t8\t373a e 2\n"
                "ST\t0\t1\t8\ttg: tm:\n"
                "TR\t0\t1\t8\tR:1 T:2 sg:1\n"
                "SAT\t0\t1\t8\ts:2 L:0 M:3\n"
                "DRE\t0\t1\t8\tds0/1:/\n"
                "L\t0\t2\t12\t380te i 3\n"
                "L\t0\t2\t13\t380te i 3\n"
                "ST\t0\t2\t12\ttg:102 tm:3\n"
                "TR\t0\t2\t12\tR:2 T:0 sg:2\n"
                "SAT\t0\t2\t12\td:112 L:0 M:0\n"
                "DRE\t0\t2\t12\tds0/1:6/2\n"
                "L\t0\t2\t8\tSU arcu 1\n"
                "ST\t0\t2\t8\te F:2\n"
                "TR\t0\t2\t8\tT:0 LAC:2002\n"
                "L\t0\t2\t12\tLOC 1 etdru\n"
                "ST\t0\t2\t12\te\n"
                "L\t0\t2\t16\tLOC 2 lrcu\n"
                "ST\t0\t2\t16\te\n"
                "L\t0\t0\t2\tT1 1\n"
                "ST\t0\t0\t2\te\n"
                "L\t0\t0\t18\tCAT 1\n"
                "ST\t0\t0\t18\te\n"
                "L\t0\t1\t19\tSCT 2\n"
                "ST\t0\t1\t19\te\n"
                "L\t0\t3\t5\t722de e 9\n"
                "L\t0\t3\t6\t722de e 9\n"
                "ST\t0\t3\t5\ttg:102 tm:9\n"
                "TR\t0\t3\t5\tR:0 T:1\n"
                "SAT\t0\t3\t5\td:242 L:3002\n"
                "DRE\t0\t3\t5\tDCCH: e/a/i\n",
            r.text);
  EXPECT_EQ(
      "s2prim.xlt,s2mm2s.xlt,s2gr.xlt,s2ptmg.xlt,UNEQUIPPED,UNEQUIPPED | s2e,mm2s,s2,ptmg,u,u",
      frameSteering(r.steering));
}

// frame 0 "ptmc", frame 2 "c": no AMPS RTU, the growth rows of frame 2.
TEST(Series2E2e, PtmPrimaryWithCdmaGrowth) {
  CellRun r = runCell(31);
  ASSERT_EQ(0, r.run.result.exitCode) << r.run.result.err;
  EXPECT_EQ(cellHeader(31, "n") +
                "L\t0\t1\t5\tTDMA RTU\n"
                "ST\t0\t1\t5\te 217\n"
                "L\t0\t1\t4\tTDMA RTU\n"
                "L\t0\t1\t4\t393t e 1\n"
                "ST\t0\t1\t4\ttg:103 tm:1\n"
                "TR\t0\t1\t4\tR:0 T:1 sg:0\n"
                "SAT\t0\t1\t4\td:155 L:1003 M:3\n"
                "DRE\t0\t1\t4\tds0/1:2/3\n"
                "L\t0\t1\t8\t400  e 2\n"
                "ST\t0\t1\t8\ttg:103 tm:2\n"
                "TR\t0\t1\t8\tR:1 T:2 sg:1\n"
                "SAT\t0\t1\t8\td:156 L:1003 M:0\n"
                "DRE\t0\t1\t8\tds0/1:4/3\n"
                "L\t0\t2\t12\t407t i 3\n"
                "ST\t0\t2\t12\ttg:103 tm:3\n"
                "TR\t0\t2\t12\tR:2 T:0 sg:2\n"
                "SAT\t0\t2\t12\td:157 L:0 M:1\n"
                "DRE\t0\t2\t12\tds0/1:6/3\n"
                "L\t0\t2\t8\tSU tdru 2\n"
                "L\t0\t2\t9\tSU tdru 2\n"
                "ST\t0\t2\t8\te F:3\n"
                "TR\t0\t2\t8\tT:1 LAC:2003\n"
                "L\t0\t2\t12\tLOC 1 arcu\n"
                "ST\t0\t2\t12\te\n"
                "L\t0\t2\t16\tLOC 2 arac\n"
                "ST\t0\t2\t16\te\n"
                "L\t0\t0\t2\tE1 1\n"
                "ST\t0\t0\t2\te\n"
                "L\t0\t0\t18\tCAT 1\n"
                "ST\t0\t0\t18\te\n"
                "L\t0\t1\t19\tSCT 2\n"
                "ST\t0\t1\t19\te\n"
                "L\t0\t3\t5\t731d e 9\n"
                "ST\t0\t3\t5\ttg:103 tm:9\n"
                "TR\t0\t3\t5\tR:0 T:1\n"
                "SAT\t0\t3\t5\td:85 L:\n"
                "DRE\t0\t3\t5\tDCCH: e/a/i\n"
                "L\t2\t1\t21\tBBA - BIU\n"
                "L\t2\t1\t22\tBBA - ACU\n"
                "L\t2\t1\t23\tBBA - BCR\n"
                "L\t2\t1\t13\tCCC 4\n"
                "ST\t2\t1\t13\to CCC-A s:3\n"
                "TR\t2\t1\t13\ttg:103 24 0\n"
                "SAT\t2\t1\t13\tm:n d:4 z:3\n"
                "L\t2\t2\t15\tECU-1X 2\n"
                "ST\t2\t2\t15\te\n"
                "L\t2\t2\t4\tBBA - BIU\n"
                "L\t2\t2\t3\tBBA - ACU\n"
                "L\t2\t2\t2\tBBA - BCR\n"
                "L\t2\t1\t12\tCCC 5\n"
                "ST\t2\t1\t12\te CCC-B s:1\n"
                "TR\t2\t1\t12\ttg:103 25 1\n"
                "SAT\t2\t1\t12\tm:n d:4 z:3\n"
                "L\t2\t2\t9\tECU 3\n"
                "ST\t2\t2\t9\tg\n"
                "L\t2\t0\t20\tT1 1\n"
                "ST\t2\t0\t20\te\n"
                "L\t2\t0\t19\tSCT 1\n"
                "ST\t2\t0\t19\tg\n",
            r.text);
  EXPECT_EQ("s2ptm.xlt,s2ptmg.xlt,s2cdma.xlt,UNEQUIPPED,UNEQUIPPED,UNEQUIPPED | ptmc,ptmg,c,u,u,u",
            frameSteering(r.steering));
}

// Frame 0 "pcm", frame 1 "c", frame 2 "ccm": frame 2 rows are primary-frame rows, the CRTU is
// drawn.
TEST(Series2E2e, CdmaPrimaryWithCdmaGrowth) {
  CellRun r = runCell(40);
  ASSERT_EQ(0, r.run.result.exitCode) << r.run.result.err;
  EXPECT_EQ(cellHeader(40, "n") +
                "L\t0\t1\t6\tBBA - BIU\n"
                "ST\t0\t1\t6\tBBA:0 g\n"
                "TR\t0\t1\t6\tTG10\n"
                "SAT\t0\t1\t6\tcar:1 ch:283\n"
                "DRE\t0\t1\t6\tPN:120\n"
                "L\t0\t1\t7\tBBA - ACU\n"
                "ST\t0\t1\t7\tLAC:4004 Ant:0\n"
                "TR\t0\t1\t7\tPag:1 1\n"
                "SAT\t0\t1\t7\tScell:40\n"
                "DRE\t0\t1\t7\tAcc:0\n"
                "L\t0\t1\t8\tBBA - BCR\n"
                "ST\t0\t1\t8\tMxP:MX01\n"
                "TR\t0\t1\t8\tL/C MxP:0\n"
                "SAT\t0\t1\t8\tAF:0\n"
                "L\t1\t1\t21\tBBA - BIU\n"
                "L\t1\t1\t22\tBBA - ACU\n"
                "L\t1\t1\t23\tBBA - BCR\n"
                "L\t2\t1\t6\tBBA - BIU\n"
                "ST\t2\t1\t6\tBBA:4 e\n"
                "TR\t2\t1\t6\tTG12\n"
                "SAT\t2\t1\t6\tcar:1 ch:333\n"
                "DRE\t2\t1\t6\tPN:120\n"
                "L\t2\t1\t7\tBBA - ACU\n"
                "ST\t2\t1\t7\tLAC:4004 Ant:2\n"
                "TR\t2\t1\t7\tPag:1 3\n"
                "SAT\t2\t1\t7\tScell:40\n"
                "DRE\t2\t1\t7\tAcc:0\n"
                "L\t2\t1\t8\tBBA - BCR\n"
                "ST\t2\t1\t8\tMxP:MX01\n"
                "TR\t2\t1\t8\tL/C MxP:0\n"
                "SAT\t2\t1\t8\tAF:4\n"
                "L\t0\t1\t1\tCCC 0\n"
                "ST\t0\t1\t1\te CCC-A s:1\n"
                "TR\t0\t1\t1\ttg:104 20 0\n"
                "SAT\t0\t1\t1\tm:n d:4 z:0\n"
                "L\t1\t1\t13\tCCC 2\n"
                "ST\t1\t1\t13\te CCC-A s:2\n"
                "TR\t1\t1\t13\ttg:104 22 0\n"
                "SAT\t1\t1\t13\tm:n d:4 z:0\n"
                "L\t2\t1\t1\tCCC 4\n"
                "ST\t2\t1\t1\te CCC-A s:3\n"
                "TR\t2\t1\t1\ttg:104 24 0\n"
                "SAT\t2\t1\t1\tm:n d:4 z:0\n"
                "L\t0\t2\t2\tECU-1X 1\n"
                "ST\t0\t2\t2\te\n"
                "L\t1\t2\t15\tTCU 2\n"
                "ST\t1\t2\t15\te\n"
                "L\t2\t2\t4\tECU 3\n"
                "ST\t2\t2\t4\te\n"
                "L\t1\t2\t4\tBBA - BIU\n"
                "L\t1\t2\t3\tBBA - ACU\n"
                "L\t1\t2\t2\tBBA - BCR\n"
                "L\t1\t1\t12\tCCC 3\n"
                "ST\t1\t1\t12\to CCC-B s:3\n"
                "TR\t1\t1\t12\ttg:104 23 1\n"
                "SAT\t1\t1\t12\tm:n d:4 z:0\n"
                "L\t1\t2\t9\tECU-1X 3\n"
                "ST\t1\t2\t9\tg\n"
                "L\t0\t0\t3\tCRTUi\n"
                "ST\t0\t0\t3\te\n"
                "L\t0\t0\t20\tT1 1\n"
                "ST\t0\t0\t20\te\n"
                "L\t0\t0\t19\tCAT 1\n"
                "ST\t0\t0\t19\te\n",
            r.text);
  EXPECT_EQ("s2cm.xlt,s2cdma.xlt,s2cmg.xlt,s2cmg.xlt,s2cmg.xlt,UNEQUIPPED | pcm,c,ccm,pcm,pcm,u",
            frameSteering(r.steering));
}

// frame 0 "s2mml", growth frames "m1" and "mm1": no AMPS RTU, only the shelf-0 CAT board.
TEST(Series2E2e, S2mmlWithM1Growth) {
  CellRun r = runCell(49);
  ASSERT_EQ(0, r.run.result.exitCode) << r.run.result.err;
  EXPECT_EQ(cellHeader(49, "n") +
                "L\t0\t1\t7\tTDMA RTU\n"
                "ST\t0\t1\t7\te 87\n"
                "L\t0\t1\t6\tTDMA RTU\n"
                "L\t0\t1\t4\t447t e 1\n"
                "L\t0\t1\t3\t447t e 1\n"
                "ST\t0\t1\t4\ttg:105 tm:1\n"
                "TR\t0\t1\t4\tR:0 T:1 sg:0\n"
                "SAT\t0\t1\t4\td:245 L:1005 M:1\n"
                "DRE\t0\t1\t4\tds0/1:2/1\n"
                "L\t0\t1\t8\t454  e 2\n"
                "ST\t0\t1\t8\ttg:105 tm:2\n"
                "TR\t0\t1\t8\tR:1 T:2 sg:1\n"
                "SAT\t0\t1\t8\td:246 L:1005 M:2\n"
                "DRE\t0\t1\t8\tds0/1:4/1\n"
                "L\t0\t2\t12\t461t i 3\n"
                "L\t0\t2\t11\t461t i 3\n"
                "ST\t0\t2\t12\ttg:105 tm:3\n"
                "TR\t0\t2\t12\tR:2 T:0 sg:2\n"
                "SAT\t0\t2\t12\td:247 L:0 M:3\n"
                "DRE\t0\t2\t12\tds0/1:6/1\n"
                "L\t0\t2\t8\tSU tdru 2\n"
                "L\t0\t2\t9\tSU tdru 2\n"
                "L\t0\t2\t7\tSU tdru 2\n"
                "L\t0\t2\t10\tSU tdru 2\n"
                "ST\t0\t2\t8\te F:5\n"
                "TR\t0\t2\t8\tT:1 LAC:2005\n"
                "L\t0\t2\t12\tLOC 1 etdru\n"
                "L\t0\t2\t11\tLOC 1 etdru\n"
                "ST\t0\t2\t12\te\n"
                "L\t0\t2\t16\tLOC 2 lrcu\n"
                "ST\t0\t2\t16\te\n"
                "L\t0\t0\t2\tE1 1\n"
                "ST\t0\t0\t2\te\n"
                "L\t0\t0\t18\tCAT 1\n"
                "ST\t0\t0\t18\te\n"
                "L\t0\t3\t5\t749d e 9\n"
                "L\t0\t3\t4\t749d e 9\n"
                "ST\t0\t3\t5\ttg:105 tm:9\n"
                "TR\t0\t3\t5\tR:0 T:1\n"
                "SAT\t0\t3\t5\td:27 L:\n"
                "DRE\t0\t3\t5\tDCCH: e/a/i\n",
            r.text);
  EXPECT_EQ("s2m.xlt,s2mm2s.xlt,s2mm2s.xlt,UNEQUIPPED,UNEQUIPPED,UNEQUIPPED | s2mml,m1,mm1,u,u,u",
            frameSteering(r.steering));
}

TEST(Series2E2e, UnknownAndEmptyFramesGetTheCellRowAlone) {
  CellRun r = runCell(58);
  ASSERT_EQ(0, r.run.result.exitCode) << r.run.result.err;
  EXPECT_EQ(cellHeader(58, ""), r.text);
  EXPECT_EQ(
      "unknown.xlt,UNKNOWN.xlt,UNKNOWN.xlt,unknown.xlt,UNEQUIPPED,UNEQUIPPED | zz9,,cccm,rg,u,u",
      frameSteering(r.steering));
}

TEST(Series2E2e, SteeringFileOfAnS2mCell) {
  CellRun r = runCell(4);
  EXPECT_EQ(
      "{\n"
      "  \"runMacro\": 3,\n"
      "  \"PFWorkbookName\": \"S2CellDiagram.xls\",\n"
      "  \"PFTemplate0\": \"s2m.xlt\",\n"
      "  \"PFTemplate1\": \"s2gr.xlt\",\n"
      "  \"PFTemplate2\": \"s2ptmg.xlt\",\n"
      "  \"PFTemplate3\": \"UNEQUIPPED\",\n"
      "  \"PFTemplate4\": \"UNEQUIPPED\",\n"
      "  \"PFTemplate5\": \"UNEQUIPPED\",\n"
      "  \"PFFrtech0\": \"s2m\",\n"
      "  \"PFFrtech1\": \"s2\",\n"
      "  \"PFFrtech2\": \"ptmg\",\n"
      "  \"PFFrtech3\": \"u\",\n"
      "  \"PFFrtech4\": \"u\",\n"
      "  \"PFFrtech5\": \"u\",\n"
      "  \"PFDataFileName\": \"s2_cell_diagram_1000004.txt\"\n"
      "}\n",
      r.steering);
}

TEST(Series2E2e, UndefinedLayoutQueryFailsTheRun) {
  std::string config = readFile(examplePath(kConfig));
  size_t from = config.find("<QUERY Name=\"s2_crtu\"");
  config.erase(from, config.find("</QUERY>", from) + 8 - from);
  std::string folder = freshFolder();
  writeFile(folder + "/no_crtu.xml", config);
  CommandResult result =
      runTarnel({"run", "--db", demoDatabase(), "--config", folder + "/no_crtu.xml", "--queries",
                 examplePath("queries/common.xml"), "--class", kClass, "--instance", "1000040",
                 "--out", folder});
  EXPECT_EQ(1, result.exitCode);
  EXPECT_EQ(0u, result.err.find("tarnel-report: error: Query not defined in config file: "
                                "s2_crtu\n"))
      << result.err;
}

}  // namespace
