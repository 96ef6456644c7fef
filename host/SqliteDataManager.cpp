#include "host/SqliteDataManager.h"

#include "framework/KvException.h"

namespace {
const char kSeparations[] = "select query_entity, report_entity, separation from tnl_separation";
const char kSeries[] = "select series from tnl_cfg_cell where instance_id = ?1";
const char kCatalogue[] =
    "select name, map_name, map_label from tnl_instance where instance_id = ?1";
const char kScenarioMembers[] =
    "select instance_id from tnl_scenario where scenario = ?1 and entity = ?2";
// Past this many entries a cache starts again, so memory stays flat over
// long batches.
const size_t kCacheLimit = 4096;

void bindText(sqlite3_stmt* statement, int index, const std::string& text) {
  sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}
}  // namespace

SqliteDataManager::SqliteDataManager(SqliteDatabase& database,
                                     const ReportConfiguration& configuration,
                                     const std::string& scenario)
    : db_(database), configuration_(configuration), scenario_(scenario) {}

KvXMLElement* SqliteDataManager::query(const RWEString& name) {
  return configuration_.query(name.str());
}

RunOutput& SqliteDataManager::run() {
  if (!run_) throw KvException("No report run is active");
  return *run_;
}

int SqliteDataManager::openStream(const RWEString& title) { return run().openStream(title); }

std::ostream& SqliteDataManager::stream(int n) { return run().stream(n); }

RWEString SqliteDataManager::streamFilename(int n) {
  return run_ ? run_->streamFilename(n) : RWEString();
}

int SqliteDataManager::separation(const RWEString& queryEntity, const RWEString& reportEntity) {
  if (queryEntity == reportEntity) return 0;
  if (!separationsLoaded_) {
    db_.run(db_.prepare(kSeparations), [this](sqlite3_stmt* row) {
      separations_[{SqliteDatabase::columnText(row, 0).str(),
                    SqliteDatabase::columnText(row, 1).str()}] = sqlite3_column_int(row, 2);
    });
    separationsLoaded_ = true;
  }
  auto it = separations_.find({queryEntity.str(), reportEntity.str()});
  return it == separations_.end() ? 1 : it->second;
}

int SqliteDataManager::inScenario(int id, const RWEString& entity) {
  if (scenario_.empty()) return 1;
  return scenarioMembers(entity.str(), scenario_).count(id) ? 1 : 0;
}

void SqliteDataManager::populateTempScenarioTable(const RWEString& entity,
                                                  const RWEString& scenario) {
  if (scenario.isNull()) return;
  scenarioMembers(entity.str(), scenario.str());
}

const std::unordered_set<int>& SqliteDataManager::scenarioMembers(const std::string& entity,
                                                                  const std::string& scenario) {
  auto key = std::make_pair(entity, scenario);
  auto it = scenarios_.find(key);
  if (it != scenarios_.end()) return it->second;
  std::unordered_set<int>& members = scenarios_[key];
  sqlite3_stmt* statement = db_.prepare(kScenarioMembers);
  bindText(statement, 1, scenario);
  bindText(statement, 2, entity);
  db_.run(statement, [&members](sqlite3_stmt* row) { members.insert(sqlite3_column_int(row, 0)); });
  return members;
}

int SqliteDataManager::seriesForCell(int id) {
  auto it = series_.find(id);
  if (it != series_.end()) return it->second;
  if (series_.size() >= kCacheLimit) series_.clear();
  int series = -1;
  sqlite3_stmt* statement = db_.prepare(kSeries);
  sqlite3_bind_int(statement, 1, id);
  db_.run(statement, [&series](sqlite3_stmt* row) { series = sqlite3_column_int(row, 0); });
  series_[id] = series;
  return series;
}

const SqliteDataManager::CatalogueEntry& SqliteDataManager::catalogue(int id) {
  auto it = catalogue_.find(id);
  if (it != catalogue_.end()) return it->second;
  if (catalogue_.size() >= kCacheLimit) catalogue_.clear();
  CatalogueEntry entry;
  sqlite3_stmt* statement = db_.prepare(kCatalogue);
  sqlite3_bind_int(statement, 1, id);
  db_.run(statement, [&entry](sqlite3_stmt* row) {
    entry.name = SqliteDatabase::columnText(row, 0);
    entry.mapName = SqliteDatabase::columnText(row, 1);
    entry.mapLabel = SqliteDatabase::columnText(row, 2);
  });
  return catalogue_.emplace(id, std::move(entry)).first->second;
}

RWEString SqliteDataManager::instanceName(int id) { return catalogue(id).name; }

RWEString SqliteDataManager::instanceMapName(int id) { return catalogue(id).mapName; }

RWEString SqliteDataManager::instanceMapLabel(int id) { return catalogue(id).mapLabel; }
