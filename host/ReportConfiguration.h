// ReportConfiguration: a report configuration document and the query
// libraries given with it, parsed once and read-only afterwards, so that the
// workers of a batch share it. Query definitions are the QUERIES.QUERY
// elements of the libraries and of the configuration; the configuration's own
// definition wins on a name clash, and among libraries the later one wins. A
// library's root is QUERIES, or holds QUERIES (a report configuration does).
#ifndef TARNEL_HOST_REPORTCONFIGURATION_H_
#define TARNEL_HOST_REPORTCONFIGURATION_H_

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/KvXMLElement.h"

class ReportConfiguration {
 public:
  // Parses the configuration at `path` and the `libraries`. Throws
  // KvException naming the file and line of the first error, and naming a
  // library whose root is neither QUERIES nor holds it.
  ReportConfiguration(const std::string& path, const std::vector<std::string>& libraries);
  ReportConfiguration(const ReportConfiguration&) = delete;
  ReportConfiguration& operator=(const ReportConfiguration&) = delete;

  KvXMLElement* root() const { return root_.get(); }
  // The definition named `name`; null when undefined.
  KvXMLElement* query(const std::string& name) const;
  // The configuration file's name without folder and extension.
  const std::string& stem() const { return stem_; }
  // The root element's "Entity" attribute.
  const RWEString& entity() const;
  // Whether query libraries were given.
  bool hasLibraries() const { return !libraries_.empty(); }

 private:
  void addLibrary(const KvXMLElement& root, const std::string& path);
  void addQueries(const KvXMLElement& document);

  std::vector<std::unique_ptr<KvXMLElement>> libraries_;
  std::unique_ptr<KvXMLElement> root_;
  std::unordered_map<std::string, KvXMLElement*> queries_;
  std::string stem_;
};

#endif  // TARNEL_HOST_REPORTCONFIGURATION_H_
