// SheetStack: places tables on a sheet from top to bottom, one blank row
// apart, all from the same column. The sheet must outlive the stack.
#ifndef TARNEL_WORKBOOK_SHEETSTACK_H_
#define TARNEL_WORKBOOK_SHEETSTACK_H_

#include <string>

#include "workbook/Layout.h"

class SheetStack {
 public:
  explicit SheetStack(Layout::Sheet& sheet, int firstRow = 0, int column = 0)
      : sheet_(sheet), next_(firstRow), column_(column) {}

  // Adds `table` below the tables before it, its header rows as wide as the
  // table; a table without rows is left out.
  void add(Layout::Table table);
  // Adds a title line and, when `note` is not "", a note line under it; their
  // text runs over the empty cells to its right.
  void addTitle(const std::string& title, const std::string& note);
  // The row the next table starts on.
  int nextRow() const { return next_; }

 private:
  Layout::Sheet& sheet_;
  int next_;
  int column_;
};

#endif  // TARNEL_WORKBOOK_SHEETSTACK_H_
