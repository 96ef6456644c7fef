// ConfigurationNeeds: what a report class reads from its configuration by
// name, beyond what the configuration names itself: whether it writes the
// SELECTS.SELECT queries and takes its entity from the root's Entity
// attribute, the queries it runs by name whatever the series or entity of the
// instance, and the STOREDPROCS elements it calls with the attributes that
// name their result queries. `check-config --class` compares a configuration
// with it. A plain value; a class registered without one is taken to read the
// selects and the Entity attribute only.
#ifndef TARNEL_ENGINE_CONFIGURATIONNEEDS_H_
#define TARNEL_ENGINE_CONFIGURATIONNEEDS_H_

#include <string>
#include <vector>

struct ConfigurationNeeds {
  // A STOREDPROCS element: its "proc" attribute names the procedure, each of
  // `queryAttributes` a query definition.
  struct Procedure {
    std::string path;
    std::vector<std::string> queryAttributes;
  };

  bool selects = true;
  bool entity = true;
  std::vector<std::string> queries;
  std::vector<Procedure> procedures;

  // Neither selects nor the Entity attribute: the class fixes what it runs.
  static ConfigurationNeeds fixed();
  ConfigurationNeeds& query(const std::string& name);
  ConfigurationNeeds& add(const std::vector<std::string>& names);
  // A STOREDPROCS element whose "result" attribute names its result query.
  ConfigurationNeeds& procedure(const std::string& path);
  ConfigurationNeeds& procedure(const std::string& path, std::vector<std::string> queryAttributes);
};

#endif  // TARNEL_ENGINE_CONFIGURATIONNEEDS_H_
