#include "host/ReportConfiguration.h"

#include "framework/XMLDocument.h"

namespace {
const RWEString kQueriesPath("QUERIES.QUERY");
const RWEString kSelectsPath("SELECTS.SELECT");

std::string stemOf(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = file.rfind('.');
  return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}
}  // namespace

ReportConfiguration::ReportConfiguration(const std::string& path,
                                         const std::vector<std::string>& libraries)
    : stem_(stemOf(path)) {
  for (const std::string& library : libraries) {
    libraries_.push_back(XMLDocument::parseFile(library));
    addQueries(*libraries_.back());
  }
  root_ = XMLDocument::parseFile(path);
  addQueries(*root_);
}

void ReportConfiguration::addQueries(const KvXMLElement& document) {
  for (KvXMLElement* q : document.getNamedElements(kQueriesPath)) {
    queries_[q->attribute("Name").str()] = q;
  }
}

KvXMLElement* ReportConfiguration::query(const std::string& name) const {
  auto it = queries_.find(name);
  return it == queries_.end() ? nullptr : it->second;
}

const RWEString& ReportConfiguration::entity() const { return root_->attribute("Entity"); }

std::vector<std::string> ReportConfiguration::undefinedSelects() const {
  std::vector<std::string> missing;
  for (KvXMLElement* select : root_->getNamedElements(kSelectsPath)) {
    const std::string& name = select->attribute("Name").str();
    if (!query(name)) missing.push_back(name);
  }
  return missing;
}
