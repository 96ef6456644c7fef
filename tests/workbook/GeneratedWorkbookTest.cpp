// Generated workbooks of the expected report files (tests/e2e/expected), read
// back: sheet names and order, and the exact cells of each family's layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "tests/support/TestFiles.h"
#include "tests/support/XlsxReader.h"
#include "workbook/Layout.h"
#include "workbook/StreamBlocks.h"
#include "workbook/WorkbookMaker.h"

namespace {

const std::string kExpected =
    std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/workbook/")) + "/tests/e2e/expected/";

XlsxReader generated(const std::string& steering, const TempFolder& out) {
  return XlsxReader(WorkbookMaker("").make(kExpected + steering + ".steering.json", out.path).path);
}

// The rows of a sheet from `first` (counted from 1), `count` of them (0: to the end).
std::vector<std::string> rows(const XlsxReader& book, const std::string& sheet, size_t first, size_t count) {
  std::vector<std::string> all = book.rows(sheet);
  if (count == 0) count = all.size() >= first ? all.size() - first + 1 : 0;
  all.resize(std::max(all.size(), first - 1 + count));
  return std::vector<std::string>(all.begin() + static_cast<long>(first - 1),
                                  all.begin() + static_cast<long>(first - 1 + count));
}

struct Family {
  std::string steering;  // below tests/e2e/expected, without ".steering.json"
  std::vector<std::string> sheets;
  std::string sheet;     // the sheet whose rows are checked
  size_t first, count;   // from row `first`, `count` rows (0: to the end)
  std::vector<std::string> rows;
};

void PrintTo(const Family& f, std::ostream* os) { *os << f.steering << " " << f.sheet; }

class Families : public testing::TestWithParam<Family> {};

TEST_P(Families, LayOutTheirStreams) {
  const Family& f = GetParam();
  TempFolder out;
  XlsxReader book = generated(f.steering, out);
  EXPECT_EQ(book.sheetNames(), f.sheets);
  EXPECT_EQ(rows(book, f.sheet, f.first, f.count), f.rows);
}

const std::vector<std::string> kPlain{"Report", "Data", "Steering"};
const std::vector<std::string> kDiagram{"Report", "Diagram", "Data", "Steering"};
const char kFrameNote[] = ". A unit shows its label, then its ST, TR, SAT and DRE lines.\"";

const Family kFamilies[] = {
    // Title block; name/value lines; PREFIX_field[key] lines as a table with
    // the prefix above; numbers as numbers (27.0 is stored as 27, shown "0.0").
    {"cell/cell_1000007", kPlain, "Report", 1, 0,
     {"\"cell: CELL00007\"", "\"Class\" | \"TarnelCellReport\"", "\"Entity\" | \"Cell\"",
      "\"Instance\" | \"CELL00007 (1000007)\"", "\"Scenario\" | \"none (every instance)\"",
      "\"Database\" | \"demo.db\"", "\"Run time\" | \"2023-11-14 22:13:20 UTC\"", "",
      "\"Name\" | \"Value\"", "\"CellName\" | \"CELL00007\"", "\"cell_number\" | 7", "\"series\" | 5",
      "\"status\" | \"e\"", "\"rcs_tech\" | 2", "\"trx_count\" | 8", "\"load_data\" | \"LD3\"",
      "\"cch_reselect_offset\" | 0", "\"cch_hysteresis\" | 4", "\"lmt_threshold\" | -93",
      "\"maho_enabled\" | \"no\"", "", "\"FACE\"", "\"key\" | \"AntennaName\" | \"face\" | \"azimuth\" | \"height_m\"",
      "0 | \"map-CELL00007-0\" | 0 | 7 | 27", "1 | \"map-CELL00007-1\" | 1 | 127 | 27",
      "2 | \"map-CELL00007-2\" | 2 | 247 | 27"}},
    // The Data sheet is the stream as written; Steering leaves the run out.
    {"cell/cell_1000007", kPlain, "Data", 12, 4,
     {"\"FACE_AntennaName[0]\" | \"map-CELL00007-0\"", "\"FACE_face[0]\" | 0", "\"FACE_azimuth[0]\" | 7",
      "\"FACE_height_m[0]\" | \"27.0\""}},
    {"cell/cell_1000007", kPlain, "Steering", 1, 0,
     {"\"runMacro\" | 0", "\"PFTemplateName\" | \"CellParameters.xlt\"", "\"PFDataFileName\" | \"cell_1000007.txt\""}},
    // Keys without a prefix; other fields under new keys start a new table.
    {"cell/cell_parameter_1000007", kPlain, "Report", 12, 0,
     {"", "\"key\" | \"face\" | \"azimuth\" | \"beamwidth\" | \"gain_db\"", "\"07\" | 0 | 7 | 75 | 14.7",
      "1127 | 1 | 127 | 75 | 14.7", "2247 | 2 | 247 | 75 | 14.7", "",
      "\"key\" | \"face\" | \"laf_number\" | \"channel\" | \"power_dbm\"", "\"021\" | 0 | 21 | 321 | 41.5",
      "122 | 1 | 22 | 322 | 41.5", "223 | 2 | 23 | 323 | 41.5"}},
    // A frame per equipped frame; units at their shelf and position, empty
    // positions blank, the kinds shown above the grid.
    {"series2/s2_cell_diagram_1000040",
     {"Report", "Frame 0", "Frame 1", "Frame 2", "Frame 3", "Frame 4", "Data", "Steering"}, "Frame 2", 1, 0,
     {"\"Frame 2 of CELL00040\"", std::string("\"Technology ccm, template s2cmg.xlt") + kFrameNote, "",
      "\"Kinds of unit\" | \"CCC (CDMA)\" | \"CCU (CDMA)\"", " | \"BBA (CDMA)\"", "",
      "\"Position\" | \"Shelf 1\" | \"Shelf 2\"", "1 | \"CCC 4\ne CCC-A s:3\ntg:104 24 0\nm:n d:4 z:0\"", "2", "3",
      "4 |  | \"ECU 3\ne\"", "5", "6 | \"BBA - BIU\nBBA:4 e\nTG12\ncar:1 ch:333\nPN:120\"",
      "7 | \"BBA - ACU\nLAC:4004 Ant:2\nPag:1 3\nScell:40\nAcc:0\"", "8 | \"BBA - BCR\nMxP:MX01\nL/C MxP:0\nAF:4\""}},
    // Microcells 1 to 6 with their statuses and rows; the site's frames apart.
    {"diagram/s3cell_1000014", kDiagram, "Diagram", 4, 0,
     {"\"Microcell 1\" | \"Microcell 2\" | \"Microcell 3\" | \"Microcell 4\" | \"Microcell 5\" | \"Microcell 6\"",
      "\"equipped\nant_name: map-CELL00014-MC1\nant_label: Microcell 14/1\nlat: 40  7 16 N\nlon:  75 40 47 W\n"
      "elevation: 0.0000000000000000\nMCTDMA: tdma channels 2\" | \"equipped\nant_name: map-CELL00014-MC2\n"
      "ant_label: Microcell 14/2\nlat: 40  8  1 N\nlon:  75 41 50 W\nelevation: 17.0\nMCTDMA: tdma channels 4\" | "
      "\"unequipped\" | \"unequipped\" | \"unequipped\" | \"unequipped\"",
      "", "\"Rows of the site\"", "\"FRAME\" | 0 | \"ptmc\" | \"radios 6\"", "\"FRAME\" | 1 | \"ptmg\" | \"radios 7\""}},
    // The control block places the header lines, the two heading lines over
    // the columns it names, and the rows; it is not shown itself.
    {"evdo/evdo_neighbours_7500012", kPlain, "Report", 9, 0,
     {"\"evdo_neighbours\"",
      "\"Service Node: 1 FMS Frame ID: 1 1xEVBTS: 1 Name: BTS0001 Label: 1xEV BTS 1 Runtime: Tue Nov 14 22:13:20 2023\"",
      "\"Sector: 2 Sector Name: BTS0001-2 Sector Label: Sector 1/2\"", "\"System ID: 1001\"",
      "\"Date/Time of Data Collection: 2024-05-09 01:30:00\"", "",
      "\"Nbr\" | \"Nbr\" | \"Service\" | \"Nbr\" | \"Nbr\" | \"Nbr Sector\" | \"PN\" | \"Azimuth\"",
      "\"Rank\" | \"Type\" | \"Node\" | \"1xEVBTS\" | \"Sector\" | \"Name\" | \"Offset\" | \"(deg)\"",
      "1 | \"intra-BTS\" | 1 | 1 | 1 | \"BTS0001-1\" | 48 | 1", "2 | \"intra-BTS\" | 1 | 1 | 3 | \"BTS0001-3\" | 72 | 241",
      "3 | \"inter-BTS\" | 1 | 2 | 2 | \"BTS0002-2\" | 96 | 122"}},
    // The 1xEV report's two heading lines head the rows after them; ="..." is text.
    {"evdo/evdo_bts_7000005", kPlain, "Report", 9, 7,
     {"\"evdo_bts\"", "", "\"1xEV\" | \"Parameter\" | \"Description\" | \"Value\"", "\"Group\" | \"Name\"", "",
      " | \"runtime\" | \"Runtime\" | \"Tue Nov 14 22:13:20 2023\"",
      " | \"col_date\" | \"Date/Time of Data Collection\" | \"2024-05-13 05:30:00\""}},
};

INSTANTIATE_TEST_SUITE_P(Expected, Families, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& i) {
                           std::string name = i.param.steering.substr(i.param.steering.find('/') + 1) + "_" +
                                              i.param.sheet;
                           std::replace(name.begin(), name.end(), ' ', '_');
                           return name;
                         });

// What the cells do not show: frozen panes under the title, the sheet's one
// autofilter on its longest table, the page across for the 1xEV neighbours,
// no gridlines around a frame, the document created at the run's time.
TEST(GeneratedWorkbook, SheetSettingsAndDocumentTime) {
  const struct {
    std::string steering, sheet, fragment;
  } cases[] = {
      {"instance/ecp_3000001", "Report", "<pane ySplit=\"7\" topLeftCell=\"A8\" activePane=\"bottomLeft\" state=\"frozen\"/>"},
      {"instance/ecp_3000001", "Report", "<autoFilter ref=\"A17:D47\"/>"},
      {"evdo/evdo_neighbours_7500012", "Report", "orientation=\"landscape\""},
      {"series2/s2_cell_diagram_1000004", "Frame 0", "<sheetView showGridLines=\"0\""},
      {"series2/s2_cell_diagram_1000004", "Frame 0", "<pane ySplit=\"7\""},
  };
  for (const auto& c : cases) {
    TempFolder out;
    XlsxReader book = generated(c.steering, out);
    EXPECT_NE(book.sheetXml(c.sheet).find(c.fragment), std::string::npos) << c.steering << " " << c.fragment;
    EXPECT_NE(book.part("docProps/core.xml").find(">2023-11-14T22:13:20Z</dcterms:created>"), std::string::npos);
  }
}

TEST(GeneratedWorkbook, StreamValuesBecomeNumbersOnlyWhenTheyReadBackAsWritten) {
  const std::pair<std::string, std::string> cases[] = {
      {"27.0", "number 27 .1"},  {"-93", "number -93 .0"}, {"0.5", "number 0.5 .1"},
      {"007", "text"},           {"-0", "text"},           {"1e3", "text"},
      {"1.", "text"},            {" 7", "text"},           {"", "empty"},
      {"123456789012.345", "number 123456789012.345 .3"},  {"1234567890123.456", "text"},
  };
  for (const auto& c : cases) {
    Layout::Cell cell = Layout::Cell::value(c.first);
    std::ostringstream seen;
    seen << (cell.kind == Layout::Cell::kEmpty ? "empty" : cell.kind == Layout::Cell::kText ? "text" : "number");
    if (cell.kind == Layout::Cell::kNumber) seen << " " << std::setprecision(15) << cell.number << " ." << cell.decimals;
    EXPECT_EQ(seen.str(), c.second) << c.first;
  }
}

TEST(GeneratedWorkbook, PivotLinesSplitIntoPrefixFieldAndKey) {
  const std::pair<std::string, std::string> cases[] = {
      {"FACE_height_m[0]", "FACE/height_m/0"}, {"3G_uarfcn[2]", "3G/uarfcn/2"},
      {"laf_number[021]", "/laf_number/021"},  {"series[2]", "/series/2"},
      {"NBR_nant[18A]", "NBR/nant/18A"},       {"[0]", "no"},
      {"face[]", "no"},                        {"face[0]x", "no"},
  };
  for (const auto& c : cases) {
    std::string prefix, field, key;
    bool pivot = StreamBlocks::splitPivot(c.first, prefix, field, key);
    EXPECT_EQ(pivot ? prefix + "/" + field + "/" + key : "no", c.second) << c.first;
  }
}

}  // namespace
