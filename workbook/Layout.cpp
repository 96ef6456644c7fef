#include "workbook/Layout.h"

#include <algorithm>
#include <cstdlib>

namespace {
// Digits a spreadsheet's double holds exactly.
const int kMaxDigits = 15;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `v` is a plain decimal number that reads back as written: an
// optional minus, whole digits without a leading zero, optional decimals;
// never "-0". `decimals` gets the digits after the point.
bool isPlainNumber(const std::string& v, int& decimals) {
  size_t i = (!v.empty() && v[0] == '-') ? 1 : 0;
  size_t whole = i;
  while (i < v.size() && isDigit(v[i])) ++i;
  size_t wholeDigits = i - whole;
  if (wholeDigits == 0 || (wholeDigits > 1 && v[whole] == '0')) return false;
  decimals = 0;
  if (i < v.size()) {
    if (v[i] != '.') return false;
    size_t point = ++i;
    while (i < v.size() && isDigit(v[i])) ++i;
    decimals = static_cast<int>(i - point);
    if (decimals == 0 || i != v.size()) return false;
  }
  if (static_cast<int>(wholeDigits) + decimals > kMaxDigits) return false;
  return !(whole == 1 && v.find_first_not_of("0.", 1) == std::string::npos);
}
}  // namespace

Layout::Cell Layout::Cell::value(const std::string& written, Style style) {
  Cell cell;
  cell.style = style;
  if (written.empty()) return cell;
  cell.text = written;
  int decimals = 0;
  if (isPlainNumber(written, decimals)) {
    cell.kind = kNumber;
    cell.number = std::strtod(written.c_str(), nullptr);
    cell.decimals = decimals;
  } else {
    cell.kind = kText;
  }
  return cell;
}

Layout::Cell Layout::Cell::textOf(const std::string& text, Style style) {
  Cell cell;
  cell.style = style;
  cell.kind = text.empty() ? kEmpty : kText;
  cell.text = text;
  return cell;
}

Layout::Cell Layout::Cell::numberOf(long long number, Style style) {
  Cell cell;
  cell.style = style;
  cell.kind = kNumber;
  cell.number = static_cast<double>(number);
  cell.text = std::to_string(number);
  return cell;
}

int Layout::Table::height() const {
  return (caption.empty() ? 0 : 1) + static_cast<int>(header.size() + body.size());
}

int Layout::Table::width() const {
  size_t width = 0;
  for (const Row& r : header) width = std::max(width, r.size());
  for (const Row& r : body) width = std::max(width, r.size());
  return static_cast<int>(width);
}
