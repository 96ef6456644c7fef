#include "workbook/SheetStack.h"

void SheetStack::add(Layout::Table table) {
  if (table.header.empty() && table.body.empty()) return;
  table.row = next_;
  table.column = column_;
  next_ += table.height() + 1;
  sheet_.tables.push_back(std::move(table));
}
