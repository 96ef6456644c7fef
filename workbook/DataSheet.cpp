#include "workbook/DataSheet.h"

#include <cstdlib>

const char kDataSheet[] = "Data";
const char kSteeringSheet[] = "Steering";

namespace {
// At most 15 digits, so that the number is exact in a spreadsheet's double;
// no leading zero and no "-0", so that the cell shows the text as written.
bool isWholeNumber(const std::string& v) {
  size_t start = (!v.empty() && v[0] == '-') ? 1 : 0;
  size_t digits = v.size() - start;
  if (digits == 0 || digits > 15) return false;
  if (v[start] == '0' && (digits > 1 || start == 1)) return false;
  for (size_t i = start; i < v.size(); ++i) {
    if (v[i] < '0' || v[i] > '9') return false;
  }
  return true;
}

// ="text": the text between the quotes, with "" read as one quote.
bool isQuotedText(const std::string& v, std::string& text) {
  if (v.size() < 3 || v.compare(0, 2, "=\"") != 0 || v.back() != '"') return false;
  text.clear();
  for (size_t i = 2; i + 1 < v.size(); ++i) {
    if (v[i] == '"') {
      if (i + 2 >= v.size() || v[i + 1] != '"') return false;  // a lone quote: not one text
      ++i;
    }
    text += v[i];
  }
  return true;
}

size_t utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}
}  // namespace

DataCell DataCell::of(const std::string& value) {
  DataCell cell;
  if (value.empty()) return cell;
  if (isWholeNumber(value)) {
    cell.kind = kNumber;
    cell.number = std::strtod(value.c_str(), nullptr);
    cell.text = value;
    return cell;
  }
  cell.kind = kString;
  if (!isQuotedText(value, cell.text)) cell.text = value;
  return cell;
}

std::vector<DataRow> dataRows(const std::string& stream) {
  std::vector<DataRow> rows;
  size_t start = 0;
  while (start < stream.size()) {
    size_t end = stream.find('\n', start);
    if (end == std::string::npos) end = stream.size();
    DataRow row;
    size_t field = start;
    for (;;) {
      size_t tab = stream.find('\t', field);
      if (tab == std::string::npos || tab > end) tab = end;
      row.push_back(DataCell::of(stream.substr(field, tab - field)));
      if (tab == end) break;
      field = tab + 1;
    }
    if (row.size() == 1 && row[0].kind == DataCell::kEmpty) row.clear();
    rows.push_back(std::move(row));
    start = end + 1;
  }
  return rows;
}

std::vector<DataRow> steeringRows(const ReportFiles& files) {
  std::vector<DataRow> rows;
  for (const ReportFiles::Entry& entry : files.steering()) {
    DataCell name;
    name.kind = DataCell::kString;
    name.text = entry.first;
    DataCell value = entry.first == "runMacro" ? DataCell::of(entry.second) : DataCell();
    if (entry.first != "runMacro" && !entry.second.empty()) {
      value.kind = DataCell::kString;
      value.text = entry.second;
    }
    rows.push_back({name, value});
  }
  return rows;
}

std::string safeSheetName(const std::string& name) {
  std::string safe;
  size_t characters = 0;
  for (size_t i = 0; i < name.size() && characters < 31; ++characters) {
    size_t length = utf8Length(static_cast<unsigned char>(name[i]));
    std::string c = name.substr(i, length);
    if (c.size() == 1 && std::string("[]:*?/\\").find(c[0]) != std::string::npos) c = "_";
    safe += c;
    i += length;
  }
  if (!safe.empty() && safe.front() == '\'') safe.front() = '_';
  if (!safe.empty() && safe.back() == '\'') safe.back() = '_';
  return safe.empty() ? "_" : safe;
}
