// TemplateCache: the templates a process has read, each parsed and checked
// once per version of its file (size, modification time, inode), with the
// plans made from it; a template that cannot be used is remembered with its
// error until its file changes. Bounded (kMaxTemplates templates,
// kMaxPlans plans each). Thread-safe: the workers of a batch share it.
#ifndef TARNEL_WORKBOOK_TEMPLATECACHE_H_
#define TARNEL_WORKBOOK_TEMPLATECACHE_H_

#include <sys/stat.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "workbook/TemplatePackage.h"
#include "workbook/WorkbookPlan.h"

class TemplateCache {
 public:
  static TemplateCache& shared();

  // The template at `path`. Throws WorkbookError naming the file.
  std::shared_ptr<const TemplatePackage> package(const std::string& path);
  // The plan for `request` of `package`. Throws WorkbookError naming the template.
  std::shared_ptr<const WorkbookPlan> plan(const std::shared_ptr<const TemplatePackage>& package,
                                           const SheetRequest& request);

 private:
  static const size_t kMaxTemplates = 64;
  static const size_t kMaxPlans = 256;

  struct Slot {
    struct stat version;
    std::shared_ptr<const TemplatePackage> package;
    std::string error;
    std::map<std::string, std::shared_ptr<const WorkbookPlan>> plans;
  };

  std::mutex mutex_;
  std::map<std::string, Slot> slots_;
};

#endif  // TARNEL_WORKBOOK_TEMPLATECACHE_H_
