#include "workbook/WorkbookMaker.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "workbook/GeneratedWorkbook.h"
#include "workbook/LayoutBuilder.h"
#include "workbook/TemplateWorkbook.h"
#include "workbook/WorkbookError.h"

namespace {
const char kSteeringSuffix[] = ".steering.json";
const char kPartial[] = ".partial";
const char* const kExtensions[] = {".xlsx", ".xlsm"};

std::string nameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// `message` with the partial file's name given as the workbook's.
std::string naming(std::string message, const std::string& partial, const std::string& path) {
  for (size_t at = 0; (at = message.find(partial, at)) != std::string::npos; at += path.size()) {
    message.replace(at, partial.size(), path);
  }
  return message;
}

// Writes the workbook to "<path>.partial" with `write`, then renames it.
template <typename Write>
void writeThenRename(const std::string& path, Write write) {
  std::string partial = path + kPartial;
  try {
    write(partial);
  } catch (const WorkbookError& e) {
    std::remove(partial.c_str());
    throw WorkbookError(naming(e.what(), partial, path));
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    std::string cause = std::strerror(errno);
    std::remove(partial.c_str());
    throw WorkbookError("Cannot write the workbook " + path + ": " + cause);
  }
}
}  // namespace

void WorkbookMaker::writeWhole(const Layout& layout, const std::string& path) {
  writeThenRename(path, [&layout](const std::string& partial) { GeneratedWorkbook::write(layout, partial); });
}

const char* WorkbookMaker::extensionOf(const std::string& path) {
  for (const char* e : kExtensions) {
    size_t n = std::strlen(e);
    if (path.size() >= n && path.compare(path.size() - n, n, e) == 0) return e;
  }
  return kExtensions[0];
}

const char* WorkbookMaker::existingAt(const std::string& stem) {
  const char* found = nullptr;
  for (const char* e : kExtensions) {
    if (access((stem + e).c_str(), F_OK) == 0) found = e;
  }
  return found;
}

std::string WorkbookMaker::stemOf(const std::string& steeringPath, const std::string& outFolder) {
  std::string stem = steeringPath;
  size_t suffix = sizeof kSteeringSuffix - 1;
  if (stem.size() > suffix && stem.compare(stem.size() - suffix, suffix, kSteeringSuffix) == 0) {
    stem.resize(stem.size() - suffix);
  }
  return outFolder.empty() ? stem : outFolder + "/" + nameOf(stem);
}

WorkbookMaker::Made WorkbookMaker::make(const std::string& steeringPath, const std::string& outFolder) const {
  return make(ReportFiles::read(steeringPath), stemOf(steeringPath, outFolder));
}

WorkbookMaker::Made WorkbookMaker::make(const ReportFiles& files, const std::string& stem) const {
  Made made;
  try {
    TemplateChoice choice = templates_.empty() ? TemplateChoice() : TemplateWorkbook::choose(files, templates_);
    made.missing = choice.missing;
    made.path = stem + kExtensions[choice.macros ? 1 : 0];
    writeThenRename(made.path, [&](const std::string& partial) {
      if (choice.path.empty()) {
        GeneratedWorkbook::write(LayoutBuilder::build(files), partial);
      } else {
        TemplateWorkbook::fill(choice, files, partial);
      }
    });
  } catch (const WorkbookError&) {
    for (const char* e : kExtensions) std::remove((stem + e).c_str());
    throw;
  }
  for (const char* e : kExtensions) {
    if (stem + e != made.path) std::remove((stem + e).c_str());
  }
  return made;
}
