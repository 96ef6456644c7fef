// ReportRegistry: report classes by class name, each with its constructor,
// what it reads from its configuration by name, and the library it came from.
// Every report library, the built-in one included, exports one C entry point,
// tarnel_report_library, that is handed a registry and the host's registry
// ABI version and registers its classes with add<T>. A host constructs
// reports only through a registry. Filled before use and read-only afterwards
// (safe across threads then); merge throws KvException.
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

  // The registry ABI: what a library compiled against this header relies on
  // (this class's layout and add<T>, the report interface). A host takes
  // libraries of its own major version only; the minor counts compatible
  // additions. Encoded as major * 1000 + minor.
  static constexpr int kAbiMajor = 1;
  static constexpr int kAbiMinor = 0;
  static constexpr int kAbiVersion = kAbiMajor * 1000 + kAbiMinor;
  static constexpr int abiMajor(int version) { return version / 1000; }
  static constexpr int abiMinor(int version) { return version % 1000; }

  // The body of a library's entry point: calls registerClasses(*registry)
  // when the host's ABI `hostAbi` has this header's major version, and
  // returns the ABI version the library was built for, which the host checks.
  static int enterLibrary(ReportRegistry* registry, int hostAbi,
                          void (*registerClasses)(ReportRegistry&)) {
    if (abiMajor(hostAbi) == kAbiMajor) registerClasses(*registry);
    return kAbiVersion;
  }

  // Constructs a T with the four report arguments.
  template <typename T>
  static std::unique_ptr<TarnelEntityReport> make(RWEString name, XMLQueryInterface& connection,
                                                  ReportDataManager& dataManager, LogUser& user) {
    return std::make_unique<T>(name, connection, dataManager, user);
  }

  // Registers T as `className` (a later add of the same name replaces it).
  template <typename T>
  void add(const char* className, ConfigurationNeeds needs = ConfigurationNeeds()) {
    classes_[className] = Entry{&make<T>, std::move(needs), std::string()};
  }

  // Adds every class of `library` with `origin` as the library it came from.
  // Throws KvException "report class <name> is already registered by
  // <origin>" when one of its names is taken, and then adds none of them.
  void merge(const ReportRegistry& library, const std::string& origin);

  // The constructor of `className`; null when the class is unknown.
  Constructor find(const std::string& className) const;
  // What `className` reads from its configuration; null when it is unknown.
  const ConfigurationNeeds* needs(const std::string& className) const;
  // The library `className` came from; empty when unknown or not merged.
  std::string origin(const std::string& className) const;
  // Class names in alphabetical order.
  std::vector<std::string> classNames() const;

 private:
  struct Entry {
    Constructor constructor;
    ConfigurationNeeds needs;
    std::string origin;
  };
  std::map<std::string, Entry> classes_;
};

// What a report library exports under the name kReportLibraryEntry: given a
// registry and the host's ABI version, registers its classes (usually
// through ReportRegistry::enterLibrary) and returns the ABI version it was
// built for. Exceptions may leave it; the host refuses the library then.
extern "C" {
typedef int (*ReportLibraryEntry)(ReportRegistry* registry, int hostAbi);
// The built-in library's entry point; a plug-in defines its own, exported
// whatever the visibility it is compiled with.
__attribute__((visibility("default"))) int tarnel_report_library(ReportRegistry* registry,
                                                                 int hostAbi);
}
constexpr char kReportLibraryEntry[] = "tarnel_report_library";

#endif  // TARNEL_ENGINE_REPORTREGISTRY_H_
