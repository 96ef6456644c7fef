#include "engine/ReportRegistry.h"

const ReportRegistry& ReportRegistry::library() {
  static const ReportRegistry registry = [] {
    ReportRegistry r;
    registerInstanceReports(r);
    registerCellReports(r);
    registerLafReports(r);
    registerDiagramReports(r);
    registerSeries2Reports(r);
    registerEvdoReports(r);
    return r;
  }();
  return registry;
}

ReportRegistry::Constructor ReportRegistry::find(const std::string& className) const {
  auto it = classes_.find(className);
  return it == classes_.end() ? nullptr : it->second.constructor;
}

const ConfigurationNeeds* ReportRegistry::needs(const std::string& className) const {
  auto it = classes_.find(className);
  return it == classes_.end() ? nullptr : &it->second.needs;
}

std::vector<std::string> ReportRegistry::classNames() const {
  std::vector<std::string> names;
  for (const auto& entry : classes_) names.push_back(entry.first);
  return names;
}
