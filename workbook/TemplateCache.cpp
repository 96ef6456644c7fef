#include "workbook/TemplateCache.h"

#include <cerrno>
#include <cstring>

#include "workbook/WorkbookError.h"

namespace {

bool sameVersion(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}  // namespace

TemplateCache& TemplateCache::shared() {
  static TemplateCache cache;
  XmlPart::initialise();
  return cache;
}

std::shared_ptr<const TemplatePackage> TemplateCache::package(const std::string& path) {
  struct stat version;
  if (::stat(path.c_str(), &version) != 0) {
    throw WorkbookError("Cannot read template " + path + ": " + std::strerror(errno));
  }
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = slots_.find(path);
  if (it == slots_.end() || !sameVersion(it->second.version, version)) {
    if (slots_.size() >= kMaxTemplates) slots_.clear();
    Slot slot{version, nullptr, std::string(), {}};
    try {
      slot.package = TemplatePackage::read(path);
    } catch (const WorkbookError& e) {
      slot.error = e.what();
    }
    it = slots_.insert_or_assign(path, std::move(slot)).first;
  }
  if (!it->second.package) throw WorkbookError(it->second.error);
  return it->second.package;
}

std::shared_ptr<const WorkbookPlan> TemplateCache::plan(const std::shared_ptr<const TemplatePackage>& package,
                                                        const SheetRequest& request) {
  std::string key = request.key();
  std::lock_guard<std::mutex> lock(mutex_);
  auto slot = slots_.find(package->path());
  bool current = slot != slots_.end() && slot->second.package == package;
  if (current) {
    auto found = slot->second.plans.find(key);
    if (found != slot->second.plans.end()) return found->second;
  }
  auto plan = std::make_shared<const WorkbookPlan>(*package, request);
  if (current) {
    if (slot->second.plans.size() >= kMaxPlans) slot->second.plans.clear();
    slot->second.plans.emplace(key, plan);
  }
  return plan;
}
