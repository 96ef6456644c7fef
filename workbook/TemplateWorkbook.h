// TemplateWorkbook: a report's workbook made from the user's template, as the
// spreadsheet post-processor would fill it. The steering data names the
// template (by macro code: PFTemplateName for 0 and 5, PFWorkbookName with the
// per-frame PFTemplate<i> for 3, PFBrivantWorkbook with PFBrivantTemplate for
// 4; 6 names none); it is found in the templates folder as the first of
// <stem>.xltx, .xlsx, .xltm, .xlsm. The copy gets the "Data" and "Steering"
// sheets (DataSheet.h); every other part of the template is kept byte for
// byte. Templates are input like any other: size limits, and errors that
// name the file. Thread-safe: the workers of a batch share it.
#ifndef TARNEL_WORKBOOK_TEMPLATEWORKBOOK_H_
#define TARNEL_WORKBOOK_TEMPLATEWORKBOOK_H_

#include <string>

#include "workbook/ReportFiles.h"

// The template a report's steering data names, and whether it can be filled.
struct TemplateChoice {
  std::string path;     // the template file to fill; "" when none is to be filled
  std::string missing;  // what was named but not found: a template name, or
                        // "<template>: sheet <name>"; "" when nothing is missing
  bool macros = false;  // the template carries a VBA project: write .xlsm, not .xlsx
};

class TemplateWorkbook {
 public:
  // The template that `files` names, looked up in `folder`. With an empty
  // folder, or a steering data that names no template (macro 6, an empty
  // name), path and missing are both empty: the caller generates the
  // workbook. When the named template or one of the sheets the macro code
  // needs is not there, path is empty and missing says what. Throws
  // WorkbookError naming the template when it is there but cannot be used
  // (not a zip, truncated, no workbook part, a sheet's part missing, more than
  // 100 MiB expanded, unreadable).
  static TemplateChoice choose(const ReportFiles& files, const std::string& folder);

  // Writes the filled workbook of `choice` (path not empty) to `outPath`.
  // Throws WorkbookError naming the file at fault; `outPath` may then hold a
  // partial file, which the caller removes.
  static void fill(const TemplateChoice& choice, const ReportFiles& files, const std::string& outPath);
};

#endif  // TARNEL_WORKBOOK_TEMPLATEWORKBOOK_H_
