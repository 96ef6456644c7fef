// ConfigurationCheck: what check-config finds wrong with a report
// configuration before a run would: a root that is no report configuration,
// selects whose query is defined nowhere (neither in the configuration nor
// in the query libraries), and, for a class, what the class reads by name
// (ConfigurationNeeds): its queries, its STOREDPROCS elements with their
// "proc" and the queries they name, the Entity attribute. Each problem has
// the line of the element it is about (the root's line when the element is
// missing). Reads the configuration only; never throws.
#ifndef TARNEL_HOST_CONFIGURATIONCHECK_H_
#define TARNEL_HOST_CONFIGURATIONCHECK_H_

#include <string>
#include <vector>

#include "engine/ConfigurationNeeds.h"
#include "host/ReportConfiguration.h"

class ConfigurationCheck {
 public:
  struct Problem {
    int line;
    std::string text;
    bool undefinedQuery;  // a query a library might define
  };

  // Checks `configuration`; with `className` (non-empty) against `needs`.
  static std::vector<Problem> problems(const ReportConfiguration& configuration,
                                       const std::string& className, const ConfigurationNeeds& needs);

 private:
  ConfigurationCheck(const ReportConfiguration& configuration, const std::string& className)
      : configuration_(configuration), className_(className) {}

  void checkRoot();
  void checkSelects();
  void checkNeeds(const ConfigurationNeeds& needs);
  void checkProcedure(const ConfigurationNeeds::Procedure& procedure);
  void add(int line, const std::string& text, bool undefinedQuery = false);

  const ReportConfiguration& configuration_;
  const std::string& className_;
  std::vector<Problem> problems_;
};

#endif  // TARNEL_HOST_CONFIGURATIONCHECK_H_
