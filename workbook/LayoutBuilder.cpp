#include "workbook/LayoutBuilder.h"

#include <algorithm>
#include <cstdlib>

#include "workbook/DataSheet.h"
#include "workbook/FramePictures.h"
#include "workbook/MicrocellDiagram.h"
#include "workbook/SheetStack.h"
#include "workbook/StreamBlocks.h"

namespace {
typedef Layout::Cell Cell;
typedef Layout::Table Table;

const char kReportSheet[] = "Report";
const char kControlMarker[] = "_VELM_Control_Information_";
// Macro codes whose streams have a layout of their own.
const int kSeries2Diagram = 3;
const int kMicrocellDiagram = 4;
const int k1xEVReport = 5;
const int k1xEVNeighbours = 6;
// Excel's code for printing across the page, as the 1xEV neighbour report's
// PageOrient gives it.
const int kLandscape = 2;

// ---- cells ---------------------------------------------------------------

// A stream value on the report sheet. A whole number written as ="42" stays
// text, as its writer asked.
Cell reportCell(const DataCell& c) {
  if (c.kind == DataCell::kEmpty) return Cell();
  Cell cell = Cell::value(c.text);
  if (c.kind == DataCell::kString && cell.kind == Cell::kNumber && cell.decimals == 0) {
    return Cell::textOf(c.text);
  }
  return cell;
}

// A cell of the Data or Steering sheet: exactly the DataCell.
Cell dataCell(const DataCell& c) {
  Cell cell;
  if (c.kind == DataCell::kEmpty) return cell;
  cell.kind = c.kind == DataCell::kNumber ? Cell::kNumber : Cell::kText;
  cell.number = c.number;
  cell.text = c.text;
  return cell;
}

Layout::Row reportRow(const DataRow& row, size_t from = 0, size_t count = std::string::npos) {
  Layout::Row cells;
  for (size_t i = from; i < row.size() && i - from < count; ++i) cells.push_back(reportCell(row[i]));
  return cells;
}

Layout::Row headerRow(const DataRow& row, size_t from = 0, size_t count = std::string::npos) {
  Layout::Row cells = reportRow(row, from, count);
  while (count == std::string::npos && !cells.empty() && cells.back().kind == Cell::kEmpty) cells.pop_back();
  for (Cell& c : cells) c.style = Cell::kHeader;
  return cells;
}

Layout::Row headings(std::initializer_list<const char*> names) {
  Layout::Row row;
  for (const char* n : names) row.push_back(Cell::textOf(n, Cell::kHeader));
  return row;
}

// ---- the title block -----------------------------------------------------

// "2023-11-14T22:13:20Z" as "2023-11-14 22:13:20 UTC".
std::string readableTime(std::string iso) {
  if (iso.size() == 20 && iso[10] == 'T' && iso[19] == 'Z') iso = iso.substr(0, 10) + " " + iso.substr(11, 8) + " UTC";
  return iso;
}

std::string instanceText(const RunInfo& run) {
  std::string id = run.instanceId ? std::to_string(run.instanceId) : "";
  if (run.instanceName.empty()) return id;
  return id.empty() ? run.instanceName : run.instanceName + " (" + id + ")";
}

std::string documentTitle(const ReportFiles& files) {
  const RunInfo& run = files.run();
  std::string report = run.report.empty() ? "Report" : run.report;
  std::string instance = run.instanceName.empty() ? (run.instanceId ? std::to_string(run.instanceId) : "")
                                                  : run.instanceName;
  return instance.empty() ? report : report + ": " + instance;
}

Table titleBlock(const ReportFiles& files) {
  const RunInfo& run = files.run();
  Table t;
  t.fitted = 1;  // the labels
  t.body.push_back({Cell::textOf(documentTitle(files), Cell::kTitle)});
  const std::pair<const char*, std::string> details[] = {
      {"Class", run.className},
      {"Entity", run.entity},
      {"Instance", instanceText(run)},
      {"Scenario", run.scenario.empty() ? "none (every instance)" : run.scenario},
      {"Database", run.database},
      {"Run time", readableTime(run.time)},
  };
  for (const auto& d : details) {
    if (!d.second.empty()) t.body.push_back({Cell::textOf(d.first, Cell::kLabel), Cell::textOf(d.second, Cell::kNote)});
  }
  return t;
}

// ---- tables of the stream's blocks --------------------------------------

// Lines as they are; a line of one value runs over the empty cells to its right.
Table textTable(const std::vector<DataRow>& rows, size_t first, size_t last) {
  Table t;
  t.fitted = 0;
  for (size_t i = first; i < last; ++i) t.body.push_back(reportRow(rows[i]));
  return t;
}

Table pivotTable(const std::vector<DataRow>& rows, const StreamBlock& b) {
  Table t;
  t.caption = b.prefix;
  Layout::Row header = headings({"key"});
  for (const std::string& f : b.fields) header.push_back(Cell::textOf(f, Cell::kHeader));
  t.header.push_back(header);
  for (size_t k = 0; k < b.keys.size(); ++k) {
    Layout::Row row{Cell::value(b.keys[k])};
    for (size_t line : b.lineOf[k]) row.push_back(reportCell(rows[line][1]));
    t.body.push_back(std::move(row));
  }
  return t;
}

Table blockTable(const std::vector<DataRow>& rows, const StreamBlock& b) {
  if (b.kind == StreamBlock::kPivot) return pivotTable(rows, b);
  Table t = textTable(rows, b.first, b.last);
  if (b.kind != StreamBlock::kText) t.fitted = Layout::kAllColumns;
  if (b.kind == StreamBlock::kNameValue) {
    t.header.push_back(headings({"Name", "Value"}));
    for (Layout::Row& r : t.body) {
      r[0].style = Cell::kLabel;
      r[1].style = Cell::kValue;
    }
  } else if (b.kind == StreamBlock::kPlacement) {
    t.caption = "Equipment placement";
    t.header.push_back(headings({"Kind", "Frame", "Shelf", "Position", "Text"}));
  }
  return t;
}

void addBlocks(SheetStack& stack, const std::vector<DataRow>& rows, const std::vector<StreamBlock>& blocks) {
  for (const StreamBlock& b : blocks) stack.add(blockTable(rows, b));
}

void addLines(SheetStack& stack, const std::vector<DataRow>& rows, size_t first, size_t last) {
  if (first < last) addBlocks(stack, rows, StreamBlocks::parse(rows, first, last));
}

// ---- the 1xEV reports ----------------------------------------------------

// The control-information block of the 1xEV neighbour report: where its
// regions lie (stream lines counted from 1) and the lines it takes itself.
struct ControlInformation {
  size_t hiddenFirst = 0, hiddenLast = 0;  // the block and the blank line before it
  int numIndCols = 0, numIndRows = 0, pageOrient = 0;
  int rptHeaderStart = 0, rptHeaderEnd = 0, colHeaderStart = 0, colHeaderEnd = 0;
  int dataRowStart = 0, dataColStart = 0;

  bool regionsFit() const {
    bool header = (rptHeaderStart == 0 && rptHeaderEnd == 0) ||
                  (rptHeaderStart >= 1 && rptHeaderStart <= rptHeaderEnd && rptHeaderEnd < colHeaderStart);
    return header && colHeaderStart >= 1 && colHeaderStart <= colHeaderEnd && colHeaderEnd < dataRowStart &&
           numIndCols >= 1 && numIndRows >= 0 && dataColStart >= 1 &&
           static_cast<size_t>(dataRowStart - 1 + numIndRows) <= hiddenFirst;
  }
};

bool isMarker(const DataRow& row) { return row.size() == 1 && row[0].text == kControlMarker; }

// Finds the block; false when the stream has none.
bool findControlInformation(const std::vector<DataRow>& rows, ControlInformation& info) {
  size_t start = 0;
  while (start < rows.size() && !isMarker(rows[start])) ++start;
  size_t end = start + 1;
  while (end < rows.size() && !isMarker(rows[end])) ++end;
  if (end >= rows.size()) return false;
  const std::pair<const char*, int*> values[] = {
      {"NumIndCols", &info.numIndCols},         {"NumIndRows", &info.numIndRows},
      {"PageOrient", &info.pageOrient},         {"CR_RptHeaderStart", &info.rptHeaderStart},
      {"CR_RptHeaderEnd", &info.rptHeaderEnd},  {"CR_ColHeaderStart", &info.colHeaderStart},
      {"CR_ColHeaderEnd", &info.colHeaderEnd},  {"CR_DataRowStart", &info.dataRowStart},
      {"CR_DataColStart", &info.dataColStart},
  };
  for (size_t i = start + 1; i < end; ++i) {
    if (rows[i].size() != 2) continue;
    for (const auto& v : values) {
      if (rows[i][0].text == v.first) *v.second = std::atoi(rows[i][1].text.c_str());
    }
  }
  info.hiddenFirst = (start > 0 && rows[start - 1].empty()) ? start - 1 : start;
  info.hiddenLast = end + 1;
  return true;
}

// Header lines [first, last) and data lines of the neighbour table, cut to
// the columns the block names.
Table neighbourTable(const std::vector<DataRow>& rows, const ControlInformation& c) {
  Table t;
  size_t from = static_cast<size_t>(c.dataColStart - 1), count = static_cast<size_t>(c.numIndCols);
  for (int line = c.colHeaderStart; line <= c.colHeaderEnd; ++line) {
    Layout::Row row = headerRow(rows[line - 1], from, count);
    row.resize(count, Cell::textOf("", Cell::kHeader));
    t.header.push_back(row);
  }
  for (int line = c.dataRowStart; line < c.dataRowStart + c.numIndRows; ++line) {
    t.body.push_back(reportRow(rows[line - 1], from, count));
  }
  return t;
}

// The neighbour report: its header lines as text, its heading and data lines
// as one table, the rest by block; the control block itself is not shown.
void addNeighbourReport(SheetStack& stack, Layout::Sheet& sheet, const std::vector<DataRow>& rows) {
  ControlInformation c;
  if (!findControlInformation(rows, c)) return addLines(stack, rows, 0, rows.size());
  if (!c.regionsFit()) {
    addLines(stack, rows, 0, c.hiddenFirst);
  } else {
    size_t header = static_cast<size_t>(c.colHeaderStart - 1);
    if (c.rptHeaderStart > 0) {
      addLines(stack, rows, 0, c.rptHeaderStart - 1);
      stack.add(textTable(rows, c.rptHeaderStart - 1, c.rptHeaderEnd));
      addLines(stack, rows, c.rptHeaderEnd, header);
    } else {
      addLines(stack, rows, 0, header);
    }
    addLines(stack, rows, c.colHeaderEnd, c.dataRowStart - 1);
    stack.add(neighbourTable(rows, c));
    addLines(stack, rows, c.dataRowStart - 1 + c.numIndRows, c.hiddenFirst);
  }
  addLines(stack, rows, c.hiddenLast, rows.size());
  sheet.landscape = c.pageOrient == kLandscape;
}

// The 1xEV report: its title line, then its two heading lines over every
// line that follows (blank lines kept as its sections' breaks).
void add1xEVReport(SheetStack& stack, const std::vector<DataRow>& rows) {
  bool shaped = rows.size() >= 3 && rows[0].size() == 1 && rows[1].size() >= 2 && rows[2].size() >= 2;
  if (!shaped) return addLines(stack, rows, 0, rows.size());
  stack.add(textTable(rows, 0, 1));
  Table t;
  t.header = {headerRow(rows[1]), headerRow(rows[2])};
  for (size_t i = 3; i < rows.size(); ++i) t.body.push_back(reportRow(rows[i]));
  stack.add(std::move(t));
}

// ---- sheets --------------------------------------------------------------

// The one autofilter a sheet may have goes to its longest table with headings.
void filterLongestTable(Layout::Sheet& sheet) {
  const size_t kMinRows = 10;
  Table* longest = nullptr;
  for (Table& t : sheet.tables) {
    if (!t.header.empty() && t.body.size() >= kMinRows && (!longest || t.body.size() > longest->body.size())) {
      longest = &t;
    }
  }
  if (longest) longest->filter = true;
}

Layout::Sheet reportSheet(const ReportFiles& files, const std::vector<DataRow>& rows,
                          const std::vector<StreamBlock>& blocks) {
  Layout::Sheet sheet;
  sheet.kind = Layout::Sheet::kReport;
  sheet.name = kReportSheet;
  SheetStack stack(sheet);
  stack.add(titleBlock(files));
  sheet.frozenRows = stack.nextRow() - 1;
  switch (files.macro()) {
    case k1xEVNeighbours: addNeighbourReport(stack, sheet, rows); break;
    case k1xEVReport: add1xEVReport(stack, rows); break;
    default: addBlocks(stack, rows, blocks); break;
  }
  filterLongestTable(sheet);
  return sheet;
}

Layout::Sheet plainSheet(Layout::Sheet::Kind kind, const char* name, const std::vector<DataRow>& rows) {
  Layout::Sheet sheet;
  sheet.kind = kind;
  sheet.name = name;
  Table t;
  t.body.reserve(rows.size());
  for (const DataRow& r : rows) {
    Layout::Row cells;
    cells.reserve(r.size());
    for (const DataCell& c : r) cells.push_back(dataCell(c));
    t.body.push_back(std::move(cells));
  }
  sheet.tables.push_back(std::move(t));
  return sheet;
}
}  // namespace

Layout LayoutBuilder::build(const ReportFiles& files) {
  Layout layout;
  layout.title = documentTitle(files);
  layout.subject = files.run().className;
  layout.time = files.run().time;
  std::vector<DataRow> rows = dataRows(files.stream());
  int macro = files.macro();
  std::vector<StreamBlock> blocks;
  if (macro != k1xEVReport && macro != k1xEVNeighbours) blocks = StreamBlocks::parse(rows, 0, rows.size());
  layout.sheets.push_back(reportSheet(files, rows, blocks));
  if (macro == kSeries2Diagram) FramePictures::add(files, rows, blocks, layout);
  if (macro == kMicrocellDiagram) MicrocellDiagram::add(files, rows, blocks, layout);
  layout.sheets.push_back(plainSheet(Layout::Sheet::kData, kDataSheet, rows));
  layout.sheets.push_back(plainSheet(Layout::Sheet::kSteering, kSteeringSheet, steeringRows(files)));
  return layout;
}
