#include "workbook/TemplateWorkbook.h"

#include <sys/stat.h>

#include <map>

#include "workbook/DataSheet.h"
#include "workbook/PartName.h"
#include "workbook/TemplateCache.h"
#include "workbook/WorkbookError.h"
#include "workbook/WorksheetXml.h"
#include "workbook/ZipArchive.h"
#include "workbook/ZipWriter.h"

namespace {

// Where a template named "CellParameters.xlt" is looked for, in this order.
const char* const kTemplateFiles[] = {".xltx", ".xlsx", ".xltm", ".xlsm"};
// Endings a named template may carry; the rest of the name is its stem.
const char* const kNamedEndings[] = {".xlt", ".xls", ".xltx", ".xlsx", ".xltm", ".xlsm"};
const char kUnequipped[] = "UNEQUIPPED";
const char kFrameTemplate[] = "PFTemplate";
const char kFrameSheet[] = "Frame ";
const char kDiagramSheet[] = "Diagram";

// The macro codes that name their workbook differently from PFTemplateName.
const int kMacroSeries2 = 3;
const int kMacroMicrocells = 4;
const int kMacroNoTemplate = 6;

const size_t kStoreUpTo = 16 << 10;

// What the steering data names: a workbook, and the sheets to make of it.
struct Named {
  std::string workbook;
  SheetRequest request;
};

// The file name of `name` (a path never leads out of the templates folder)
// without a spreadsheet ending.
std::string stemOf(const std::string& name) {
  size_t slash = name.find_last_of("/\\");
  std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  std::string folded = PartName::folded(base);
  for (const char* ending : kNamedEndings) {
    std::string e(ending);
    if (folded.size() > e.size() && folded.compare(folded.size() - e.size(), e.size(), e) == 0) {
      return base.substr(0, base.size() - e.size());
    }
  }
  return base;
}

bool usableStem(const std::string& stem) {
  if (stem.empty() || stem == "." || stem == "..") return false;
  for (char c : stem) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

// Frame i of "PFTemplate<i>" (0 to 99, written without leading zeros); -1 otherwise.
int frameOf(const std::string& key) {
  const size_t prefix = sizeof kFrameTemplate - 1;
  if (key.size() <= prefix || key.size() > prefix + 2 || key.compare(0, prefix, kFrameTemplate) != 0) return -1;
  std::string number = key.substr(prefix);
  if (number.size() == 2 && number[0] == '0') return -1;
  for (char c : number) {
    if (c < '0' || c > '9') return -1;
  }
  return std::stoi(number);
}

Named named(const ReportFiles& files) {
  Named n;
  switch (files.macro()) {
    case kMacroNoTemplate:
      break;
    case kMacroSeries2: {
      n.workbook = files.value("PFWorkbookName");
      std::map<int, std::string> frames;
      for (const ReportFiles::Entry& e : files.steering()) {
        if (frameOf(e.first) >= 0 && !e.second.empty() && e.second != kUnequipped) frames[frameOf(e.first)] = e.second;
      }
      for (const auto& f : frames) {
        n.request.sheets.push_back({safeSheetName(kFrameSheet + std::to_string(f.first)), stemOf(f.second), f.first});
      }
      break;
    }
    case kMacroMicrocells:
      n.workbook = files.value("PFBrivantWorkbook");
      if (files.value("PFBrivantTemplate").empty()) n.workbook.clear();
      if (!n.workbook.empty()) n.request.sheets.push_back({kDiagramSheet, stemOf(files.value("PFBrivantTemplate")), -1});
      break;
    default:
      n.workbook = files.value("PFTemplateName");
  }
  return n;
}

// The first template file of `stem` in `folder`; "" when there is none.
std::string locate(const std::string& folder, const std::string& stem) {
  if (!usableStem(stem)) return std::string();
  for (const char* ending : kTemplateFiles) {
    std::string path = folder + "/" + stem + ending;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return path;
  }
  return std::string();
}

// The first requested sheet `package` does not have; "" when it has them all.
std::string missingSheet(const TemplatePackage& package, const SheetRequest& request) {
  for (const SheetRequest::Sheet& s : request.sheets) {
    if (package.sheetIndex(s.source) < 0) return s.source;
  }
  return std::string();
}

// Sheets made per instance are deflated only when that saves more than it
// costs: setting up a deflate stream costs more than storing a few kilobytes.
ZipWriter::Compression compression(const std::string& part) {
  return part.size() > kStoreUpTo ? ZipWriter::kDeflate : ZipWriter::kStore;
}

std::string dataFileOf(const ReportFiles& files) {
  return files.has("PFDataFileName") ? files.value("PFDataFileName") : files.value("CRSDataFile");
}

}  // namespace

TemplateChoice TemplateWorkbook::choose(const ReportFiles& files, const std::string& folder) {
  TemplateChoice choice;
  Named n = named(files);
  if (folder.empty() || n.workbook.empty()) return choice;
  std::string path = locate(folder, stemOf(n.workbook));
  if (path.empty()) {
    choice.missing = n.workbook;
    return choice;
  }
  std::shared_ptr<const TemplatePackage> package = TemplateCache::shared().package(path);
  std::string sheet = missingSheet(*package, n.request);
  if (!sheet.empty()) {
    choice.missing = n.workbook + ": sheet " + sheet;
    return choice;
  }
  choice.path = path;
  choice.macros = package->macros();
  return choice;
}

void TemplateWorkbook::fill(const TemplateChoice& choice, const ReportFiles& files, const std::string& outPath) {
  TemplateCache& cache = TemplateCache::shared();
  std::shared_ptr<const TemplatePackage> package = cache.package(choice.path);
  std::shared_ptr<const WorkbookPlan> plan = cache.plan(package, named(files).request);
  std::string source = dataFileOf(files).empty() ? "the stream" : dataFileOf(files);
  std::string data = WorksheetXml::write(dataRows(files.stream()), source);
  std::string steering = WorksheetXml::write(steeringRows(files), "the steering data");
  time_t now = workbookTime(files.run().time);
  ZipArchive archive(package->bytes(), package->path());
  ZipArchive prepared(plan->prepared(), package->path());
  ZipWriter out(outPath);
  for (const WorkbookPlan::Entry& e : plan->entries()) {
    switch (e.source) {
      case WorkbookPlan::kCopy: out.copy(archive, e.index, e.name); break;
      case WorkbookPlan::kPrepared: out.copy(prepared, e.index, e.name, now); break;
      case WorkbookPlan::kData: out.add(e.name, std::move(data), now, compression(data)); break;
      case WorkbookPlan::kSteering: out.add(e.name, std::move(steering), now, compression(steering)); break;
      case WorkbookPlan::kCore: out.add(e.name, plan->coreProperties(now), now, ZipWriter::kStore); break;
      case WorkbookPlan::kBytes: break;
    }
  }
  out.write();
}
