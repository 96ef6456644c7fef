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

void SheetStack::addTitle(const std::string& title, const std::string& note) {
  Layout::Table t;
  t.fitted = 0;
  t.body.push_back({Layout::Cell::textOf(title, Layout::Cell::kTitle)});
  if (!note.empty()) t.body.push_back({Layout::Cell::textOf(note, Layout::Cell::kNote)});
  add(std::move(t));
}
