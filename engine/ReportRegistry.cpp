#include "engine/ReportRegistry.h"

#include "framework/KvException.h"

void ReportRegistry::merge(const ReportRegistry& library, const std::string& origin) {
  for (const auto& entry : library.classes_) {
    auto taken = classes_.find(entry.first);
    if (taken != classes_.end()) {
      throw KvException("report class " + entry.first + " is already registered by " +
                        taken->second.origin);
    }
  }
  for (const auto& entry : library.classes_) {
    classes_[entry.first] = Entry{entry.second.constructor, entry.second.needs, origin};
  }
}

ReportRegistry::Constructor ReportRegistry::find(const std::string& className) const {
  auto it = classes_.find(className);
  return it == classes_.end() ? nullptr : it->second.constructor;
}

const ConfigurationNeeds* ReportRegistry::needs(const std::string& className) const {
  auto it = classes_.find(className);
  return it == classes_.end() ? nullptr : &it->second.needs;
}

std::string ReportRegistry::origin(const std::string& className) const {
  auto it = classes_.find(className);
  return it == classes_.end() ? std::string() : it->second.origin;
}

std::vector<std::string> ReportRegistry::classNames() const {
  std::vector<std::string> names;
  for (const auto& entry : classes_) names.push_back(entry.first);
  return names;
}
