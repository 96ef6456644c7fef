#include "engine/ConfigurationNeeds.h"

namespace {
const char kResult[] = "result";
}  // namespace

ConfigurationNeeds ConfigurationNeeds::fixed() {
  ConfigurationNeeds needs;
  needs.selects = false;
  needs.entity = false;
  return needs;
}

ConfigurationNeeds& ConfigurationNeeds::query(const std::string& name) {
  for (const std::string& known : queries) {
    if (known == name) return *this;
  }
  queries.push_back(name);
  return *this;
}

ConfigurationNeeds& ConfigurationNeeds::add(const std::vector<std::string>& names) {
  for (const std::string& name : names) query(name);
  return *this;
}

ConfigurationNeeds& ConfigurationNeeds::procedure(const std::string& path) {
  return procedure(path, {kResult});
}

ConfigurationNeeds& ConfigurationNeeds::procedure(const std::string& path,
                                                  std::vector<std::string> queryAttributes) {
  procedures.push_back({path, std::move(queryAttributes)});
  return *this;
}
