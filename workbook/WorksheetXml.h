// WorksheetXml: the worksheet part holding rows of DataCell (DataSheet.h),
// written with libxml2's text writer: numbers as numbers, strings as inline
// strings (so the workbook's shared strings stay the template's), text a
// sheet cannot hold as written escaped the way the format asks (_xHHHH_),
// bytes that are not UTF-8 replaced by U+FFFD. Throws WorkbookError naming
// `source` when the rows do not fit a sheet. Pure; any thread.
#ifndef TARNEL_WORKBOOK_WORKSHEETXML_H_
#define TARNEL_WORKBOOK_WORKSHEETXML_H_

#include <string>
#include <vector>

#include "workbook/DataSheet.h"

class WorksheetXml {
 public:
  static std::string write(const std::vector<DataRow>& rows, const std::string& source);
  // `text` as a cell's string holds it.
  static std::string cellText(const std::string& text);
  // "A1"-style reference of zero-based row and column.
  static std::string reference(size_t row, size_t column);
};

#endif  // TARNEL_WORKBOOK_WORKSHEETXML_H_
