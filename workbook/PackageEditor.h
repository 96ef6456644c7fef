// PackageEditor: a template's parts being made into a filled workbook's.
// Requested sheets are made from template sheets (the first use renames the
// sheet, later uses copy it with the drawings, charts, comments and tables it
// owns; images and pivot caches stay shared) and shown; the Data and Steering
// sheets replace the template's or are added last; sheet order, defined
// names, the active tab, content types and relationships are kept
// consistent; the workbook becomes a plain (or macro-enabled) workbook marked
// for full recalculation; parts no longer reachable are dropped. Works on
// copies of the template's parsed parts; one use, one thread. Throws
// WorkbookError naming the template.
#ifndef TARNEL_WORKBOOK_PACKAGEEDITOR_H_
#define TARNEL_WORKBOOK_PACKAGEEDITOR_H_

#include <map>
#include <set>
#include <string>
#include <vector>

#include "workbook/WorkbookPlan.h"
#include "workbook/XmlPart.h"
#include "workbook/ZipArchive.h"

class TemplatePackage;

class PackageEditor {
 public:
  explicit PackageEditor(const TemplatePackage& package);
  PackageEditor(const PackageEditor&) = delete;
  PackageEditor& operator=(const PackageEditor&) = delete;

  void apply(const SheetRequest& request);
  // The filled workbook's entries; the properties part (kCore) holds
  // WorkbookPlan::kTimeMark where its times go.
  std::vector<WorkbookPlan::Entry> entries() const;

 private:
  // A sheet of the filled workbook.
  struct Made {
    xmlNode* node;
    int original;  // the template sheet it is (renamed or not); -1 for a copy or a new sheet
    int source;    // the template sheet it was made from; -1 for a new sheet
    int frame;     // the frame it shows; -1 for none
  };

  // Parts.
  bool exists(const std::string& part) const;
  std::string content(const std::string& part) const;
  XmlPart& edit(const std::string& part);
  const XmlPart* rels(const std::string& part) const;
  XmlPart& editRels(const std::string& part);
  void addPart(const std::string& part, std::string bytes, const std::string& contentType);
  void removePart(const std::string& part);
  std::set<std::string> reachable() const;
  std::string contentType(const std::string& part);
  void setOverride(const std::string& part, const std::string& type);
  std::string addRelationship(const std::string& source, const std::string& type, const std::string& target);
  void removeRelationship(const std::string& source, const std::string& id);

  // Sheets.
  std::vector<Made> makeSheets(const SheetRequest& request);
  xmlNode* copySheet(int original, const std::string& name);
  std::string copyPart(const std::string& part, const std::string& type, const std::string& from,
                       const std::string& to, std::map<std::string, std::string>& copies);
  void fitCopy(const std::string& part, const std::string& type, const std::string& from, const std::string& to);
  void fillSheet(std::vector<Made>& order, const char* name, WorkbookPlan::Source source);
  void order(const std::vector<Made>& sheets);
  void renameInCharts();

  // Workbook settings.
  void defineNames(const std::vector<Made>& sheets);
  void setActiveTab(const std::vector<Made>& sheets);
  void markForRecalculation();
  void makePlainWorkbook();
  void updateProperties();

  const TemplatePackage& package_;
  ZipArchive archive_;
  std::map<std::string, XmlPart> edited_;
  std::map<std::string, std::string> written_;
  std::map<std::string, WorkbookPlan::Source> perInstance_;
  std::set<std::string> removed_;
  std::vector<std::string> added_;
  std::set<std::string> taken_;
  std::vector<std::pair<std::string, std::string>> renames_;
  std::vector<xmlNode*> originals_;
  int nextSheetId_ = 1;
  int nextTableId_ = 0;
  std::set<std::string> tableNames_;
};

#endif  // TARNEL_WORKBOOK_PACKAGEEDITOR_H_
