#include "host/ReportConfiguration.h"

#include "framework/KvException.h"
#include "framework/XMLDocument.h"

namespace {
const RWEString kQueriesPath("QUERIES.QUERY");
const RWEString kQueries("QUERIES");
const RWEString kQuery("QUERY");

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
    addLibrary(*libraries_.back(), library);
  }
  root_ = XMLDocument::parseFile(path);
  addQueries(*root_);
}

// A library is a QUERIES element, or a document (a report configuration, say)
// whose root holds one.
void ReportConfiguration::addLibrary(const KvXMLElement& root, const std::string& path) {
  if (root.name() == kQueries) {
    for (KvXMLElement* q : root.getNamedElements(kQuery)) queries_[q->attribute("Name").str()] = q;
  } else if (root.getNamedElement(kQueries)) {
    addQueries(root);
  } else {
    throw KvException(path + ":" + std::to_string(root.line()) + ": not a query library: the root <" +
                      root.name().str() + "> is not QUERIES and holds no QUERIES element");
  }
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
