// TemplatePackage: a template workbook read and checked once: its bytes, its
// zip entries, the XML parts a filled workbook changes (content types, the
// workbook, every relationships part, the document properties) parsed, and
// its sheets in order with their parts. Construction throws WorkbookError
// naming the file when the template cannot be used (not a zip, damaged, more
// than 100 MiB expanded, no workbook part, a sheet's part missing). Immutable
// afterwards, so the threads of a batch share one.
#ifndef TARNEL_WORKBOOK_TEMPLATEPACKAGE_H_
#define TARNEL_WORKBOOK_TEMPLATEPACKAGE_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "workbook/XmlPart.h"

class ZipArchive;

class TemplatePackage {
 public:
  struct Sheet {
    std::string name;
    std::string part;
  };

  // Reads the file at `path`.
  static std::shared_ptr<const TemplatePackage> read(const std::string& path);
  TemplatePackage(std::shared_ptr<const std::string> bytes, std::string path);

  const std::string& path() const { return path_; }
  const std::shared_ptr<const std::string>& bytes() const { return bytes_; }
  const std::vector<std::string>& entries() const { return entries_; }
  const std::string& workbookPart() const { return workbookPart_; }
  const std::string& corePart() const { return corePart_; }
  const std::string& appPart() const { return appPart_; }
  const std::vector<Sheet>& sheets() const { return sheets_; }
  // The position of the sheet called `name` (compared without case); -1 if none.
  int sheetIndex(const std::string& name) const;
  // The template carries a VBA project: the filled workbook is macro-enabled.
  bool macros() const { return macros_; }
  // The parsed XML of `part` (one of those named above); null if not parsed.
  const XmlPart* xml(const std::string& part) const;

  // Relationship types, matched by the end of their URI (transitional and
  // strict packages differ only before it).
  static bool hasType(const xmlNode* relationship, const char* type);
  // The part the first relationship of `type` in `rels` names from `source`; "" if none.
  static std::string target(const XmlPart* rels, const std::string& source, const char* type);

 private:
  void parse(const std::string& part, const std::string& bytes);
  void findSheets(const ZipArchive& archive);

  std::shared_ptr<const std::string> bytes_;
  std::string path_;
  std::vector<std::string> entries_;
  std::map<std::string, XmlPart> xml_;
  std::string workbookPart_, corePart_, appPart_;
  std::vector<Sheet> sheets_;
  bool macros_ = false;
};

#endif  // TARNEL_WORKBOOK_TEMPLATEPACKAGE_H_
