#include "host/DatabaseDataManager.h"

#include "framework/KvException.h"
#include "host/SnapshotCache.h"

namespace {
const char kScenarioMembers[] =
    "select instance_id from tnl_scenario where scenario = ?1 and entity = ?2";
// Past this many entries a cache starts again, so memory stays flat over
// long batches. Names and series repeat within a run and between neighbouring
// runs, seldom further apart: with 256 entries the benchmark batches run as
// fast as with 4,096, and hold half a megabyte less.
const size_t kCacheLimit = 256;

typedef Database::Parameter Parameter;
}  // namespace

DatabaseDataManager::DatabaseDataManager(Database& database,
                                         const ReportConfiguration& configuration,
                                         const std::string& scenario)
    : db_(database), configuration_(configuration), scenario_(scenario) {}

KvXMLElement* DatabaseDataManager::query(const RWEString& name) {
  return configuration_.query(name.str());
}

RunOutput& DatabaseDataManager::run() {
  if (!run_) throw KvException("No report run is active");
  return *run_;
}

int DatabaseDataManager::openStream(const RWEString& title) { return run().openStream(title); }

std::ostream& DatabaseDataManager::stream(int n) { return run().stream(n); }

RWEString DatabaseDataManager::streamFilename(int n) {
  return run_ ? run_->streamFilename(n) : RWEString();
}

int DatabaseDataManager::separation(const RWEString& queryEntity, const RWEString& reportEntity) {
  if (queryEntity == reportEntity) return 0;
  if (!separationsLoaded_) {
    db_.query(SnapshotCache::kSeparations, {}, [this](RWEStringCollection& row) {
      separations_[{row[0].str(), row[1].str()}] = row.getInt(2);
    });
    separationsLoaded_ = true;
  }
  auto it = separations_.find({queryEntity.str(), reportEntity.str()});
  return it == separations_.end() ? 1 : it->second;
}

int DatabaseDataManager::inScenario(int id, const RWEString& entity) {
  if (scenario_.empty()) return 1;
  return scenarioMembers(entity.str(), scenario_).count(id) ? 1 : 0;
}

void DatabaseDataManager::populateTempScenarioTable(const RWEString& entity,
                                                    const RWEString& scenario) {
  if (scenario.isNull()) return;
  scenarioMembers(entity.str(), scenario.str());
}

const std::unordered_set<int>& DatabaseDataManager::scenarioMembers(const std::string& entity,
                                                                    const std::string& scenario) {
  auto key = std::make_pair(entity, scenario);
  auto it = scenarios_.find(key);
  if (it != scenarios_.end()) return it->second;
  std::unordered_set<int>& members = scenarios_[key];
  db_.query(kScenarioMembers, {Parameter::string(scenario), Parameter::string(entity)},
            [&members](RWEStringCollection& row) { members.insert(row.getInt(0)); });
  return members;
}

int DatabaseDataManager::seriesForCell(int id) {
  auto it = series_.find(id);
  if (it != series_.end()) return it->second;
  if (series_.size() >= kCacheLimit) series_.clear();
  int series = -1;
  db_.query(SnapshotCache::kSeries, {Parameter::integer(id)},
            [&series](RWEStringCollection& row) { series = row.getInt(0); });
  series_[id] = series;
  return series;
}

const DatabaseDataManager::CatalogueEntry& DatabaseDataManager::catalogue(int id) {
  auto it = catalogue_.find(id);
  if (it != catalogue_.end()) return it->second;
  if (catalogue_.size() >= kCacheLimit) catalogue_.clear();
  CatalogueEntry entry;
  db_.query(SnapshotCache::kCatalogue, {Parameter::integer(id)}, [&entry](RWEStringCollection& row) {
    entry.name = std::move(row(0));
    entry.mapName = std::move(row(1));
    entry.mapLabel = std::move(row(2));
  });
  return catalogue_.emplace(id, std::move(entry)).first->second;
}

RWEString DatabaseDataManager::instanceName(int id) { return catalogue(id).name; }

RWEString DatabaseDataManager::instanceMapName(int id) { return catalogue(id).mapName; }

RWEString DatabaseDataManager::instanceMapLabel(int id) { return catalogue(id).mapLabel; }
