// Placeholder until templates are filled: every workbook is generated.
#include "workbook/TemplateWorkbook.h"

#include "workbook/WorkbookError.h"

TemplateChoice TemplateWorkbook::choose(const ReportFiles&, const std::string&) {
  return TemplateChoice();
}

void TemplateWorkbook::fill(const TemplateChoice& choice, const ReportFiles&, const std::string&) {
  throw WorkbookError("Templates are not filled yet: " + choice.path);
}
