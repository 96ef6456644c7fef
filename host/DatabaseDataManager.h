// DatabaseDataManager: the reports' data manager over a Database (SQLite or
// PostgreSQL). Query definitions come from the shared ReportConfiguration;
// streams from the current run's RunOutput. Separations, cell series, catalogue entries and
// scenario members are read from the database once and kept, so a worker
// running many instances asks for each only once. Scenario text is always
// bound, never pasted into SQL. One object per worker thread.
#ifndef TARNEL_HOST_DATABASEDATAMANAGER_H_
#define TARNEL_HOST_DATABASEDATAMANAGER_H_

#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "framework/ReportDataManager.h"
#include "host/ReportConfiguration.h"
#include "host/RunOutput.h"
#include "host/Database.h"

class DatabaseDataManager : public ReportDataManager {
 public:
  // `database` and `configuration` must outlive the data manager.
  DatabaseDataManager(Database& database, const ReportConfiguration& configuration,
                    const std::string& scenario);

  // The run whose streams openStream and stream serve; null between runs.
  void setRun(RunOutput* run) { run_ = run; }

  KvXMLElement* query(const RWEString& name) override;
  // Throws KvException when no run is set or the file cannot be created.
  int openStream(const RWEString& title) override;
  std::ostream& stream(int n) override;
  RWEString streamFilename(int n) override;
  // 0 for equal names, else tnl_separation's value, else 1.
  int separation(const RWEString& queryEntity, const RWEString& reportEntity) override;
  // 1 without a scenario; else whether tnl_scenario lists the instance.
  int inScenario(int id, const RWEString& entity) override;
  // tnl_cfg_cell's series; -1 for an unknown cell.
  int seriesForCell(int id) override;
  RWEString instanceName(int id) override;
  RWEString instanceMapName(int id) override;
  RWEString instanceMapLabel(int id) override;
  // Loads the members of `entity` in `scenario` (once per entity).
  void populateTempScenarioTable(const RWEString& entity, const RWEString& scenario) override;

 private:
  struct CatalogueEntry {
    RWEString name, mapName, mapLabel;
  };
  const CatalogueEntry& catalogue(int id);
  const std::unordered_set<int>& scenarioMembers(const std::string& entity,
                                                  const std::string& scenario);
  RunOutput& run();

  Database& db_;
  const ReportConfiguration& configuration_;
  std::string scenario_;
  RunOutput* run_ = nullptr;
  bool separationsLoaded_ = false;
  std::map<std::pair<std::string, std::string>, int> separations_;
  std::unordered_map<int, int> series_;
  std::unordered_map<int, CatalogueEntry> catalogue_;
  std::map<std::pair<std::string, std::string>, std::unordered_set<int>> scenarios_;
};

#endif  // TARNEL_HOST_DATABASEDATAMANAGER_H_
