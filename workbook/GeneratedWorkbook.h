// GeneratedWorkbook: writes a Layout as an .xlsx workbook with libxlsxwriter:
// a worksheet per sheet, in order; numbers as numbers shown with the decimals
// they were written with; headings bold on a fill; units boxed, wrapped and
// filled; columns fitted to their content; the layout's frozen rows,
// autofilter, hyperlinks and page orientation. The document's creation time
// is the layout's run time (else SOURCE_DATE_EPOCH, else now), so the same
// layout gives the same bytes. Safe to call from several threads at once for
// different files.
#ifndef TARNEL_WORKBOOK_GENERATEDWORKBOOK_H_
#define TARNEL_WORKBOOK_GENERATEDWORKBOOK_H_

#include <string>

#include "workbook/Layout.h"

class GeneratedWorkbook {
 public:
  // Writes `layout` to `path`, created or replaced; libxlsxwriter's working
  // files are kept in memory (XlsxWorkingMemory). Throws WorkbookError naming
  // `path` when the file cannot be written whole; `path` may then hold a
  // partial file, which the caller removes.
  static void write(const Layout& layout, const std::string& path);
};

#endif  // TARNEL_WORKBOOK_GENERATEDWORKBOOK_H_
