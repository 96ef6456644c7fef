#include "workbook/WorkbookPlan.h"

#include "workbook/PackageEditor.h"
#include "workbook/TemplatePackage.h"
#include "workbook/ZipWriter.h"

const char WorkbookPlan::kTimeMark[] = "@TARNEL-WRITTEN-AT@";

namespace {

// ISO 8601 in UTC, as the document properties hold times.
std::string isoTime(time_t time) {
  struct tm t;
  gmtime_r(&time, &t);
  char buffer[32];
  size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &t);
  return std::string(buffer, n);
}

}  // namespace

std::string SheetRequest::key() const {
  std::string key;
  for (const Sheet& s : sheets) key += s.name + '\x1f' + s.source + '\x1f' + std::to_string(s.frame) + '\x1e';
  return key;
}

WorkbookPlan::WorkbookPlan(const TemplatePackage& package, const SheetRequest& request) {
  PackageEditor editor(package);
  editor.apply(request);
  entries_ = editor.entries();
  ZipWriter prepared(package.path() + " (prepared parts)");
  size_t count = 0;
  for (Entry& e : entries_) {
    if (e.source == kBytes) {
      prepared.add(e.name, std::move(e.bytes), 0, ZipWriter::kDeflate);
      e = Entry{e.name, kPrepared, count++, std::string()};
    }
    if (e.source != kCore) continue;
    const std::string mark(kTimeMark);
    size_t start = 0;
    for (size_t at = e.bytes.find(mark); at != std::string::npos; at = e.bytes.find(mark, start)) {
      coreParts_.push_back(e.bytes.substr(start, at - start));
      start = at + mark.size();
    }
    coreParts_.push_back(e.bytes.substr(start));
    e.bytes.clear();
  }
  prepared_ = std::make_shared<const std::string>(prepared.finish());
}

std::string WorkbookPlan::coreProperties(time_t time) const {
  std::string text, stamp = isoTime(time);
  for (size_t i = 0; i < coreParts_.size(); ++i) text += (i ? stamp : std::string()) + coreParts_[i];
  return text;
}
