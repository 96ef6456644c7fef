// SheetReference: the sheet names in formula text ("s2m!$A$1",
// "'Frame 0'!B2"), renamed as a spreadsheet renames them when a sheet is
// renamed or copied. String literals and references into other workbooks
// ("[1]s2m!A1") are left alone; names compare without case. Pure functions.
#ifndef TARNEL_WORKBOOK_SHEETREFERENCE_H_
#define TARNEL_WORKBOOK_SHEETREFERENCE_H_

#include <string>

class SheetReference {
 public:
  // `formula` with every reference to sheet `from` made a reference to `to`.
  static std::string renamed(const std::string& formula, const std::string& from, const std::string& to);
  // How a formula names sheet `name`: as it is, or quoted ('Frame 0').
  static std::string quoted(const std::string& name);
};

#endif  // TARNEL_WORKBOOK_SHEETREFERENCE_H_
