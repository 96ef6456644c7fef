#include "workbook/MicrocellDiagram.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "workbook/SheetStack.h"

namespace {
typedef Layout::Cell Cell;
typedef Layout::Table Table;

const char kDiagramSheet[] = "Diagram";
const int kMicrocells = 6;

struct Status {
  const char* code;
  const char* text;
  uint32_t fill;
};
const Status kStatuses[] = {
    {"e", "equipped", 0xC6EFCE},
    {"u", "unequipped", 0xEDEDED},
    {"", "no status", 0xEDEDED},
};
const uint32_t kOtherStatusFill = 0xFFEB9C;

// A microcell drawn as a box: its status, then its rows (`lines`, each
// after a line feed), on the status's fill.
Cell microcellCell(const std::string& code, const std::string& lines) {
  std::string status = "status " + code;
  uint32_t fill = kOtherStatusFill;
  for (const Status& s : kStatuses) {
    if (code == s.code) {
      status = s.text;
      fill = s.fill;
    }
  }
  Cell c = Cell::textOf(status + lines, Cell::kUnit);
  c.fill = fill;
  return c;
}

// The microcell a row of kind-position-values names; 0 for none.
int microcellOf(const DataRow& row) {
  bool numbered = row[1].kind == DataCell::kNumber && row[1].number >= 1 && row[1].number <= kMicrocells;
  return numbered ? static_cast<int>(row[1].number) : 0;
}

// "kind: value value ..." for a row of microcell n.
std::string rowText(const DataRow& row) {
  std::string text = row[0].text + ":";
  for (size_t i = 2; i < row.size(); ++i) text += " " + row[i].text;
  return text;
}

// The lines of rows of three values or more, by kind: whether every row of
// the kind names a microcell.
std::map<std::string, bool> kindsPerMicrocell(const std::vector<DataRow>& rows,
                                              const std::vector<StreamBlock>& blocks) {
  std::map<std::string, bool> perMicrocell;
  for (const StreamBlock& b : blocks) {
    if (b.kind != StreamBlock::kColumns) continue;
    for (size_t i = b.first; i < b.last; ++i) {
      auto it = perMicrocell.emplace(rows[i][0].text, true).first;
      it->second = it->second && microcellOf(rows[i]) != 0;
    }
  }
  return perMicrocell;
}

void addTitle(SheetStack& stack, const ReportFiles& files) {
  std::string instance = files.run().instanceName;
  std::string details;
  const std::pair<const char*, const char*> named[] = {
      {"workbook ", "PFBrivantWorkbook"}, {"template ", "PFBrivantTemplate"}, {"frame 0 technology ", "PFFrtech0"}};
  for (const auto& n : named) {
    if (!files.value(n.second).empty()) details += (details.empty() ? "" : ", ") + (n.first + files.value(n.second));
  }
  if (!details.empty()) {
    details[0] = static_cast<char>(toupper(static_cast<unsigned char>(details[0])));
    details += ".";
  }
  stack.addTitle("Microcells" + (instance.empty() ? "" : " of " + instance), details);
}
}  // namespace

void MicrocellDiagram::add(const ReportFiles& files, const std::vector<DataRow>& rows,
                           const std::vector<StreamBlock>& blocks, Layout& layout) {
  std::map<std::string, bool> perMicrocell = kindsPerMicrocell(rows, blocks);
  std::string lines[kMicrocells];
  Table site;
  site.caption = "Rows of the site";
  for (const StreamBlock& b : blocks) {
    if (b.kind != StreamBlock::kColumns) continue;
    for (size_t i = b.first; i < b.last; ++i) {
      const DataRow& r = rows[i];
      if (perMicrocell[r[0].text]) {
        lines[microcellOf(r) - 1] += "\n" + rowText(r);
      } else {
        Layout::Row cells;
        for (const DataCell& c : r) cells.push_back(Cell::value(c.text));
        site.body.push_back(std::move(cells));
      }
    }
  }
  Table boxes;
  Layout::Row header, row;
  for (int m = 1; m <= kMicrocells; ++m) {
    header.push_back(Cell::textOf("Microcell " + std::to_string(m), Cell::kHeader));
    row.push_back(microcellCell(files.value("PFMcell" + std::to_string(m)), lines[m - 1]));
  }
  boxes.header.push_back(header);
  boxes.body.push_back(row);
  Layout::Sheet sheet;
  sheet.kind = Layout::Sheet::kDiagram;
  sheet.name = kDiagramSheet;
  SheetStack stack(sheet);
  addTitle(stack, files);
  stack.add(std::move(boxes));
  stack.add(std::move(site));
  layout.sheets.push_back(std::move(sheet));
}
