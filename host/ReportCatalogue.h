// ReportCatalogue: the report configurations of a folder, offered by name, as
// its catalogue file lists them: tab-separated lines of configuration (below
// the folder), report class, instances (the benchmark's), title; '#' starts a
// comment. Each configuration is parsed once, with the query libraries, and
// its class looked up, so a bad entry fails at load. Read-only afterwards and
// safe to share across threads. Throws KvException naming file and line.
#ifndef TARNEL_HOST_REPORTCATALOGUE_H_
#define TARNEL_HOST_REPORTCATALOGUE_H_

#include <memory>
#include <string>
#include <vector>

#include "engine/ReportRegistry.h"
#include "host/ReportConfiguration.h"

class ReportCatalogue {
 public:
  static const char kFileName[];  // "catalogue.tsv"

  struct Entry {
    std::string name;  // the configuration's file stem: unique, A-Za-z0-9._-, no leading dot
    std::string path;  // the configuration file
    std::string className;
    std::string title;
    std::string entity;  // the configuration's Entity
    ReportRegistry::Constructor constructor = nullptr;
    std::unique_ptr<ReportConfiguration> configuration;
  };

  // Reads `folder`/catalogue.tsv and the configurations it lists, whose
  // classes `registry` must hold (it must outlive the catalogue's use).
  ReportCatalogue(const std::string& folder, const std::vector<std::string>& libraries,
                  const ReportRegistry& registry);
  ReportCatalogue(const ReportCatalogue&) = delete;
  ReportCatalogue& operator=(const ReportCatalogue&) = delete;

  // In catalogue order.
  const std::vector<Entry>& entries() const { return entries_; }
  // The entry named `name`; null when the catalogue has none.
  const Entry* find(const std::string& name) const;
  // The entries whose entity is `entity`, in catalogue order.
  std::vector<const Entry*> forEntity(const std::string& entity) const;

 private:
  Entry load(const std::string& folder, const std::vector<std::string>& columns,
             const std::vector<std::string>& libraries, const ReportRegistry& registry) const;

  std::vector<Entry> entries_;
};

#endif  // TARNEL_HOST_REPORTCATALOGUE_H_
