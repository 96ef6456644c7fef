// ReportRegistry: the library's exported report classes, by class name, each
// with its constructor and what it reads from its configuration by name. The
// host constructs reports only through it. Each report family registers its
// classes in its own register function.
// library() is built once and read-only afterwards (safe across threads).
#ifndef TARNEL_ENGINE_REPORTREGISTRY_H_
#define TARNEL_ENGINE_REPORTREGISTRY_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/ConfigurationNeeds.h"
#include "engine/TarnelEntityReport.h"

class ReportRegistry {
 public:
  typedef std::unique_ptr<TarnelEntityReport> (*Constructor)(RWEString name,
                                                              XMLQueryInterface& connection,
                                                              ReportDataManager& dataManager,
                                                              LogUser& user);

  // Every report class of the library.
  static const ReportRegistry& library();

  // Constructs a T with the four report arguments.
  template <typename T>
  static std::unique_ptr<TarnelEntityReport> make(RWEString name, XMLQueryInterface& connection,
                                                  ReportDataManager& dataManager, LogUser& user) {
    return std::make_unique<T>(name, connection, dataManager, user);
  }

  template <typename T>
  void add(const char* className, ConfigurationNeeds needs = ConfigurationNeeds()) {
    classes_[className] = Entry{&make<T>, std::move(needs)};
  }
  // The constructor of `className`; null when the class is unknown.
  Constructor find(const std::string& className) const;
  // What `className` reads from its configuration; null when it is unknown.
  const ConfigurationNeeds* needs(const std::string& className) const;
  // Class names in alphabetical order.
  std::vector<std::string> classNames() const;

 private:
  struct Entry {
    Constructor constructor;
    ConfigurationNeeds needs;
  };
  std::map<std::string, Entry> classes_;
};

// One per report family, each in its family's folder.
void registerInstanceReports(ReportRegistry& registry);
void registerCellReports(ReportRegistry& registry);
void registerLafReports(ReportRegistry& registry);
void registerDiagramReports(ReportRegistry& registry);
void registerSeries2Reports(ReportRegistry& registry);
void registerEvdoReports(ReportRegistry& registry);

#endif  // TARNEL_ENGINE_REPORTREGISTRY_H_
