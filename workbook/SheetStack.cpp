#include "workbook/SheetStack.h"

void SheetStack::add(Layout::Table table) {
  if (table.header.empty() && table.body.empty()) return;
  size_t width = static_cast<size_t>(table.width());
  for (Layout::Row& r : table.header) r.resize(width, Layout::Cell::textOf("", Layout::Cell::kHeader));
  table.row = next_;
  table.column = column_;
  next_ += table.height() + 1;
  sheet_.tables.push_back(std::move(table));
}
