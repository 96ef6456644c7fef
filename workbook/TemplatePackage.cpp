#include "workbook/TemplatePackage.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "workbook/PartName.h"
#include "workbook/WorkbookError.h"
#include "workbook/ZipArchive.h"

namespace {

const char kContentTypes[] = "[Content_Types].xml";
const char kOfficeDocument[] = "/officeDocument";
const char kCoreProperties[] = "/core-properties";
const char kExtendedProperties[] = "/extended-properties";
const char kVbaProject[] = "/vbaProject";

bool endsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string readFile(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    throw WorkbookError("Cannot read template " + path + ": " + std::strerror(errno));
  }
  if (S_ISDIR(st.st_mode)) throw WorkbookError("Cannot read template " + path + ": " + std::strerror(EISDIR));
  if (static_cast<unsigned long long>(st.st_size) > ZipArchive::kMaxExpandedBytes) {
    throw WorkbookError("Workbook would expand past 100 MiB: " + path);
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  if (!in || in.bad()) {
    throw WorkbookError("Cannot read template " + path + ": " + std::strerror(errno ? errno : EIO));
  }
  return text.str();
}

}  // namespace

std::shared_ptr<const TemplatePackage> TemplatePackage::read(const std::string& path) {
  return std::make_shared<const TemplatePackage>(std::make_shared<const std::string>(readFile(path)),
                                                 path);
}

TemplatePackage::TemplatePackage(std::shared_ptr<const std::string> bytes, std::string path)
    : bytes_(std::move(bytes)), path_(std::move(path)) {
  ZipArchive archive(bytes_, path_);
  archive.verify();
  for (size_t i = 0; i < archive.size(); ++i) entries_.push_back(archive.name(i));
  if (archive.find(kContentTypes) < 0) {
    throw WorkbookError("Not a workbook (no " + std::string(kContentTypes) + "): " + path_);
  }
  parse(kContentTypes, archive.read(kContentTypes));
  for (const std::string& entry : entries_) {
    if (endsWith(entry, ".rels")) parse(entry, archive.read(entry));
  }
  const XmlPart* rootRels = xml(PartName::relsOf(""));
  workbookPart_ = target(rootRels, "", kOfficeDocument);
  if (workbookPart_.empty() || archive.find(workbookPart_) < 0) {
    throw WorkbookError("No workbook part in template: " + path_);
  }
  parse(workbookPart_, archive.read(workbookPart_));
  corePart_ = target(rootRels, "", kCoreProperties);
  appPart_ = target(rootRels, "", kExtendedProperties);
  if (archive.find(corePart_) >= 0) parse(corePart_, archive.read(corePart_));
  if (archive.find(appPart_) >= 0) parse(appPart_, archive.read(appPart_));
  if (archive.find(corePart_) < 0) corePart_.clear();
  if (archive.find(appPart_) < 0) appPart_.clear();
  findSheets(archive);
  macros_ = !target(xml(PartName::relsOf(workbookPart_)), workbookPart_, kVbaProject).empty();
}

void TemplatePackage::parse(const std::string& part, const std::string& bytes) {
  xml_.emplace(part, XmlPart(bytes, part, path_));
}

void TemplatePackage::findSheets(const ZipArchive& archive) {
  const XmlPart* rels = xml(PartName::relsOf(workbookPart_));
  xmlNode* sheets = XmlPart::child(xml(workbookPart_)->root(), "sheets");
  for (xmlNode* sheet : XmlPart::children(sheets, "sheet")) {
    Sheet s{XmlPart::attribute(sheet, "name"), std::string()};
    std::string id = XmlPart::attribute(sheet, "id");
    for (xmlNode* r : rels ? XmlPart::children(rels->root(), "Relationship") : std::vector<xmlNode*>()) {
      if (!id.empty() && XmlPart::attribute(r, "Id") == id) {
        s.part = PartName::resolve(workbookPart_, XmlPart::attribute(r, "Target"));
      }
    }
    if (s.part.empty() || archive.find(s.part) < 0) throw WorkbookError("Template lacks the part of sheet '" + s.name + "': " + path_);
    sheets_.push_back(s);
  }
  if (sheets_.empty()) throw WorkbookError("Template has no sheets: " + path_);
}

int TemplatePackage::sheetIndex(const std::string& name) const {
  std::string wanted = PartName::folded(name);
  for (size_t i = 0; i < sheets_.size(); ++i) {
    if (PartName::folded(sheets_[i].name) == wanted) return static_cast<int>(i);
  }
  return -1;
}

const XmlPart* TemplatePackage::xml(const std::string& part) const {
  auto it = xml_.find(part);
  return it == xml_.end() ? nullptr : &it->second;
}

bool TemplatePackage::hasType(const xmlNode* relationship, const char* type) {
  return endsWith(XmlPart::attribute(relationship, "Type"), type);
}

std::string TemplatePackage::target(const XmlPart* rels, const std::string& source, const char* type) {
  if (!rels) return std::string();
  for (xmlNode* r : XmlPart::children(rels->root(), "Relationship")) {
    if (hasType(r, type) && XmlPart::attribute(r, "TargetMode") != "External") {
      return PartName::resolve(source, XmlPart::attribute(r, "Target"));
    }
  }
  return std::string();
}
