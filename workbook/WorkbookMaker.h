// WorkbookMaker: makes a report's finished workbook from the two files a
// successful run wrote. With a templates folder, the template the steering
// data names is filled (TemplateWorkbook) when the folder holds it; otherwise,
// and always without a folder, the workbook gets the generated layout
// (LayoutBuilder, GeneratedWorkbook). It is written as "<file>.partial" and
// renamed at the end; when anything fails, nothing stands under the final
// name (a workbook left there by an earlier run is removed too, as it no
// longer matches the report's files). Holds only the folder name: one maker
// serves every worker of a batch.
#ifndef TARNEL_WORKBOOK_WORKBOOKMAKER_H_
#define TARNEL_WORKBOOK_WORKBOOKMAKER_H_

#include <string>

#include "workbook/Layout.h"
#include "workbook/ReportFiles.h"

class WorkbookMaker {
 public:
  struct Made {
    std::string path;     // the workbook written: <stem>.xlsx, or .xlsm for a template with macros
    std::string missing;  // what the steering data named but the folder lacks; "": nothing
  };

  // `templatesFolder` "": every workbook is generated.
  explicit WorkbookMaker(std::string templatesFolder) : templates_(std::move(templatesFolder)) {}

  // The workbook of the run whose steering data is `steeringPath`, written to
  // `outFolder` ("": beside the steering data) under the steering file's name
  // without ".steering.json". Throws WorkbookError naming the file at fault.
  Made make(const std::string& steeringPath, const std::string& outFolder = "") const;
  // The workbook of `files`, written as `stem` + ".xlsx" (or ".xlsm").
  Made make(const ReportFiles& files, const std::string& stem) const;

  // Writes `layout` as a generated workbook at `path`, under "<path>.partial"
  // until it is whole. Throws WorkbookError naming `path`.
  static void writeWhole(const Layout& layout, const std::string& path);

  // The extension of a workbook path `make` returned: ".xlsx" or ".xlsm"
  // (a static string).
  static const char* extensionOf(const std::string& path);
  // The extension of the workbook standing at `stem` + ".xlsx" or ".xlsm"
  // (".xlsm" when both do); nullptr when there is none.
  static const char* existingAt(const std::string& stem);

  // "<folder>/<name>" without the ".steering.json" of `steeringPath`, in
  // `outFolder` when it is not "".
  static std::string stemOf(const std::string& steeringPath, const std::string& outFolder);

 private:
  std::string templates_;
};

#endif  // TARNEL_WORKBOOK_WORKBOOKMAKER_H_
