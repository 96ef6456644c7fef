// The series-2 diagram on cell 5 with one configured select, the nine CDMA
// queries (no fields: their rows are scripted whole) and the eight AMPS/TDMA
// queries with their fields in the order listed here, so a scripted row is the
// instance id followed by the fields in that order. The driver: flags from the
// frame technologies, the template of each frame, which layouts run. The
// layouts: AMPS/TDMA RTUs, radio prefixes, extra slots by unit type and frame
// 0, fields read by name; CDMA sections, the growth-frame rule, positions.
// The end-to-end series-2 files pin the steering order and the lines of
// radios, SU, LOC, DCCH, boards, CCC and full BBA groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "reports/series2/TarnelS2CellDiagramReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const int kCell = 5;
const char kFrameSql[] =
    "select fr0tech,fr1tech,fr2tech,fr3tech,fr4tech,fr5tech,s2mmcea_t FROM tnl_cfg_cell "
    "WHERE instance_id = 5";
const char kSelectSql[] =
    "select tbl.instance_id, tbl.name from tnl_cfg_cell tbl where tbl.instance_id = 5";
const char kSelectText[] = "name\tS2CELL\n";

const char* const kCdmaQueries[] = {"s2_evenbba", "s2_evenccc", "s2_evenccu",
                                    "s2_oddbba",  "s2_oddccc",  "s2_oddccu",
                                    "s2_crtu",    "s2_ds1brds", "s2_catbrds"};

struct AmpsDef {
  const char *name, *table;
  std::vector<std::string> fields;
};
// clang-format off
const std::vector<AmpsDef>& ampsDefs() {
  static const std::vector<AmpsDef> defs = {
      {"SWcom2", "rtu", {"tr", "rtu_t", "rtuslt_t", "tdvcc_t", "trtu_hwtype"}},
      {"SWrdtk", "radio", {"frame", "shlf", "slot", "stat", "vrno", "ant", "tr_ant", "vrchnl",
                           "satcc", "dvcc_t", "vrtech", "sg", "techtype", "mpc"}},
      {"SWctm", "ctm", {"tg", "tm", "lacnum", "ds0", "ds1"}},
      {"SWsuradio", "su", {"frame", "shelf", "slot", "status", "su_radio", "rfpi", "lac",
                           "techtype", "xmitsu"}},
      {"SWlocate", "loc", {"frame", "shelf", "slot", "status", "loc_radio", "type"}},
      {"SWds1brds", "ds1", {"frame", "shelf", "slot", "status", "ds1_brd", "ds1type"}},
      {"SWcatbrd", "cat", {"frame", "shelf", "slot", "status", "cat_brd", "s_cattype"}},
      {"SWdcch", "dcch", {"frame", "shlf", "slot", "vrno", "ant", "tr_ant", "vrchnl", "dvcc_t",
                          "lacnum", "hwtype", "dstat0", "dstat1", "dstat2"}},
  };
  return defs;
}
// clang-format on

std::string cdmaSql(const std::string& name) {
  return "select tbl.instance_id from " + name + " tbl where tbl.instance_id = 5";
}

// The SQL the report runs for an AMPS/TDMA query, with its suffix.
std::string ampsSql(const std::string& name, const std::string& suffix = "") {
  for (const AmpsDef& d : ampsDefs()) {
    if (name != d.name) continue;
    std::string sql = "select tbl.instance_id";
    for (const std::string& f : d.fields) sql += ", tbl." + f;
    return sql + " from " + d.table + " tbl where tbl.instance_id = 5" + suffix;
  }
  return "";
}

const char kLocSuffix[] = " and status != 'u' order by tbl.loc_radio";
const char kDs1Suffix[] = " and status != 'u' order by tbl.ds1_brd";

// A query definition reading `fields` of `table`; `attributes` go into the QUERY element.
std::string queryXml(const std::string& name, const std::string& table,
                            const std::vector<std::string>& fields,
                            const std::string& attributes = "") {
  std::string xml = "<QUERY Name=\"" + name + "\" Table=\"" + table + "\"" + attributes + ">";
  if (fields.empty()) return xml + "</QUERY>";
  xml += "<FIELDS>";
  for (const std::string& f : fields) xml += "<FIELD Name=\"" + f + "\"/>";
  return xml + "</FIELDS></QUERY>";
}

// The configuration; the definition of the query `name` is replaced by `replacement`.
std::string config(const std::string& name = "", const std::string& replacement = "") {
  std::string queries;
  for (const char* q : kCdmaQueries) queries += name == q ? replacement : queryXml(q, q, {});
  for (const AmpsDef& d : ampsDefs()) {
    queries += name == d.name ? replacement : queryXml(d.name, d.table, d.fields);
  }
  return "<REPORT Entity=\"Cell\"><TEMPLATES><TEMPLATE Excel=\"S2Diagram.xls\"/></TEMPLATES>"
         "<SELECTS><SELECT Name=\"SWcell\"/></SELECTS><QUERIES>" +
         queryXml("SWcell", "tnl_cfg_cell", {"name"}, " SingleSelect=\"True\"") + queries +
         "</QUERIES></REPORT>";
}

// Runs the report for cell 5 with scripted frame technologies; one per case
// when a test loops over a table.
struct S2Run {
  S2Run() {
    h.connection.script(kSelectSql, {{"5", "S2CELL"}});
    h.connection.tableHasInstanceId("TNL_CFG_CELL");
  }
  // Six frame technologies and the CEA indicator.
  void frames(const std::vector<std::string>& techs, const std::string& cea = "") {
    std::vector<std::string> row(techs);
    row.resize(TarnelS2CellDiagramReport::kFrames);
    row.push_back(cea);
    h.connection.script(kFrameSql, {row});
  }
  void rows(const std::string& sql, Rows values) { h.connection.script(sql, std::move(values)); }
  // The stream text after the select's own line.
  std::string build(const std::string& xml = config()) {
    h.configure(xml);
    report = h.make<TarnelS2CellDiagramReport>("S2");
    steering = h.run(*report, kCell);
    std::string text = h.data.text();
    return text.compare(0, sizeof kSelectText - 1, kSelectText) == 0
               ? text.substr(sizeof kSelectText - 1)
               : "missing select: " + text;
  }
  bool executed(const std::string& sql) const {
    const std::vector<std::string>& run = h.connection.executed();
    return std::find(run.begin(), run.end(), sql) != run.end();
  }

  ReportHarness h;
  std::unique_ptr<TarnelS2CellDiagramReport> report;
  TarnelSteeringData steering;
};

class S2ReportTest : public ::testing::Test, public S2Run {};

typedef TarnelS2CellDiagramReport R;
const unsigned kS2m = R::kS2mPrimary, kPtm = R::kPtmPrimary, kS2 = R::kS2Primary,
               kGrowth = R::kCdmaGrowth, kMm2s = R::kMm2sGrowth, kCm = R::kCmPrimary,
               kAmps = R::kAmpsTdma, kCdma = R::kCdma, kCea = R::kS2mmCea;
// The flags the report says it has, as one mask.
unsigned flagsOf(const R& report) {
  unsigned mask = 0;
  for (unsigned f = 1; f <= R::kS2mmCea; f <<= 1) {
    if (report.hasFlag(static_cast<R::Flag>(f))) mask |= f;
  }
  return mask;
}

// One technology in one frame, the other frames unequipped: the flags, the
// template and the technology passed on (`passed`, when not the technology).
struct FrameCase {
  int frame;
  const char *tech, *templ;
  unsigned flags;
  const char *cea = "", *passed = nullptr;
};

// clang-format off
// The end-to-end steering files pin the other frame technologies of the demo cells.
const FrameCase kFrameCases[] = {
    {0, "s2mm", "s2m.xlt", kAmps | kCea, "y"}, {0, "s2mm", "s2m.xlt", kS2m | kAmps, "n"},
    {0, "s2mml", "s2m.xlt", kS2m | kAmps, "y"}, {0, "s2", "s2prim.xlt", kS2 | kAmps},
    {0, "cbs", "s2prim.xlt", kS2 | kAmps}, {0, "ptm", "s2ptm.xlt", kPtm | kAmps},
    {0, "ccm", "s2cm.xlt", kCm | kCdma}, {0, "cccm", "s2cm.xlt", kCm | kCdma},
    {0, "c", "unknown.xlt", 0}, {0, "S2M", "unknown.xlt", 0}, {0, "u", "UNEQUIPPED", 0},
    {0, "", "unknown.xlt", 0}, {1, "mm1", "s2mm2s.xlt", kMm2s | kAmps},
    {1, "ccm", "s2cmg.xlt", kCdma}, {1, "cccm", "s2cmg.xlt", kCdma}, {1, "pcm", "s2cmg.xlt", kCdma},
    {1, "ddgf", "s2ddgf.xlt", kCdma}, {1, "rg", "s2rg.xlt", kCdma}, {1, "rgh", "s2cmg.xlt", kCdma},
    {1, "s2m", "UNKNOWN.xlt", 0}, {1, "u", "UNEQUIPPED", 0}, {1, "", "UNKNOWN.xlt", 0},
    {2, "m1", "s2mm2s.xlt", kMm2s | kAmps}, {2, "pcm", "s2cmg.xlt", kCdma},
    {2, "ddgf", "s2ddgf.xlt", kCdma}, {2, "rg", "s2rg.xlt", kCdma}, {2, "rgh", "s2cmg.xlt", kCdma},
    {2, "mm2s", "UNKNOWN.xlt", 0}, {2, "", "UNKNOWN.xlt", 0}, {3, "ccm", "unknown.xlt", 0},
    {3, "s2", "unknown.xlt", 0}, {3, "", "UNEQUIPPED", 0, "", "u"}, {4, "ptmg", "unknown.xlt", 0},
    {4, "", "UNEQUIPPED", 0, "", "u"}, {5, "pcm", "s2cmg.xlt", kCdma},
    {5, "ptmg", "unknown.xlt", 0}, {5, "", "UNEQUIPPED", 0, "", "u"},
};
// clang-format on

TEST(S2FrameTest, FirstMatchingRowOfTheFrameSetsTheFlagsAndTheTemplate) {
  for (const FrameCase& c : kFrameCases) {
    SCOPED_TRACE("frame " + std::to_string(c.frame) + " " + c.tech + " cea " + c.cea);
    S2Run r;
    std::vector<std::string> techs(R::kFrames, "u");
    techs[static_cast<size_t>(c.frame)] = c.tech;
    r.frames(techs, c.cea);
    r.build();
    std::string n = std::to_string(c.frame);
    EXPECT_EQ(flagsOf(*r.report), c.flags);
    EXPECT_EQ(r.steering.value("PFTemplate" + n), c.templ);
    EXPECT_EQ(r.steering.value("PFFrtech" + n), c.passed ? c.passed : c.tech);
  }
}

TEST_F(S2ReportTest, FlagsOfAllFramesAccumulateAndAreClearedAtEveryBuild) {
  frames({"pcm", "s2", "m1", "ptmg", "pcm", "pcm"});
  build();
  EXPECT_EQ(flagsOf(*report), kCm | kCdma | kAmps | kMm2s);
  frames({"pcm"});
  report->buildReport();
  EXPECT_EQ(flagsOf(*report), kCm | kCdma);
}

TEST_F(S2ReportTest, MissingFrameRowReadsAsEmptyTechnologies) {
  build();
  EXPECT_EQ(flagsOf(*report), 0u);
  EXPECT_EQ(steering.value("PFTemplate0"), "unknown.xlt");
  EXPECT_EQ(steering.value("PFFrtech5"), "u");
}

TEST_F(S2ReportTest, LayoutChosenByTheFlags) {
  frames({"zz", "yy", "xx", "ww", "vv", "tt"});
  EXPECT_EQ(build(), "");  // the selects alone, no layout query
  EXPECT_EQ(h.connection.executed().back(), kFrameSql);
  S2Run fifth;
  fifth.frames({"", "", "", "", "", "pcm"});
  fifth.build();
  EXPECT_TRUE(fifth.executed(cdmaSql("s2_evenbba")));
  EXPECT_FALSE(fifth.executed(ampsSql("SWcom2")));
}

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
      // The demo radios pin the prefixes "as", "a", "te", "t" and a blank one end to end.
      {"radio prefixes: none for CDMA, nor for AMPS in upper case", {"s2"},
       {{ampsSql("SWrdtk"), {radio("cdma", "sbrcu", "12"), radio("AMPS", "sbrcu", "13")}}},
       "L\t0\t2\t5\t101  e 12\nST\t0\t2\t5\ttg: tm:\nTR\t0\t2\t5\tR:a1 T:t1 sg:g2\nSAT\t0\t2\t5\td:d4 L:0 M:m7\n"
       "DRE\t0\t2\t5\tds0/1:/\nL\t0\t2\t5\t101  e 13\nST\t0\t2\t5\ttg: tm:\nTR\t0\t2\t5\tR:a1 T:t1 sg:g2\n"
       "SAT\t0\t2\t5\td:d4 L:0 M:m7\nDRE\t0\t2\t5\tds0/1:/\n"},
      {"no odd BBA without a growth frame", {"pcm", "ccm"}, {}, "", {cdmaSql("s2_oddccc")},
       {cdmaSql("s2_oddbba")}},
      {"no CRTU without a CDMA primary frame", {"s2", "c", "pcm"}, {}, "",
       {cdmaSql("s2_catbrds")}, {cdmaSql("s2_crtu")}},
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
  EXPECT_EQ(thrown([&] { amps.build(config("SWctm", "")); }), "Query not defined in config file: SWctm");
  cdma.frames(kCdmaFrames);
  EXPECT_EQ(thrown([&] { cdma.build(config("s2_crtu", "")); }), "Query not defined in config file: s2_crtu");
  EXPECT_FALSE(cdma.executed(cdmaSql("s2_catbrds")));
}

}  // namespace
