#include "host/ReportSession.h"

#include <cstdio>
#include <ctime>

#include "framework/KvException.h"
#include "framework/RWTime.h"
#include "framework/TarnelReportInfo.h"
#include "framework/TarnelSteeringData.h"
#include "host/RunOutput.h"

namespace {
// A network database has the instance catalogue; the probe reads the schema
// view every connection has, so it costs no table scan.
const char kHasCatalogue[] =
    "select 1 from user_Tab_columns where table_name = 'TNL_INSTANCE' and column_name = 'ENTITY'";
const char kInstancesOf[] =
    "select instance_id from tnl_instance where entity = ?1 order by instance_id";
const char kInstancesBetween[] =
    "select instance_id from tnl_instance where instance_id between ?1 and ?2 "
    "order by instance_id";
const char kScenarioHasMembers[] = "select 1 from tnl_scenario where scenario = ?1 limit 1";
const char kScenarios[] = "select distinct scenario from tnl_scenario order by scenario";
const char kEntities[] = "select distinct entity from tnl_instance order by entity";

const char kUndefinedQuery[] = "Query not defined in config file: ";
const char kLibraryHint[] =
    "no query library was given: the query may be defined in one (--queries FILE; "
    "examples/queries/common.xml holds the shared AP and CellSeries queries)";

// `e` as an outcome of `kind`, keeping what `soFar` noted about the run.
RunOutcome outcome(RunOutcome::Kind kind, const KvException& e, const RunOutcome& soFar = RunOutcome()) {
  RunOutcome o = soFar;
  o.kind = kind;
  o.message = e.message().str();
  for (const RWEString& c : e.contexts()) o.contexts.push_back(c.str());
  return o;
}

// The current time (SOURCE_DATE_EPOCH when set) in ISO 8601, in UTC.
std::string isoTime() {
  time_t now = RWTime::currentTime().seconds();
  struct tm parts;
  gmtime_r(&now, &parts);
  char text[32];
  strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

typedef Database::Parameter Parameter;

std::vector<int> ids(Database& db, const char* sql, const Database::Parameters& parameters) {
  std::vector<int> list;
  db.query(sql, parameters, [&list](RWEStringCollection& row) { list.push_back(row.getInt(0)); });
  return list;
}
}  // namespace

ReportSession::ReportSession(const SessionOptions& options,
                             const ReportConfiguration& configuration)
    : options_(options),
      configuration_(configuration),
      database_(Database::open(options.database)),
      connection_(*database_),
      dataManager_(*database_, configuration, options.scenario) {
  requireNetwork();
  if (!options.scenario.empty()) requireScenario();
  database_->setTrace(options.trace);
  if (options.batch) {
    database_->joinBatch(*options.batch);
  } else {
    database_->setCache(&cache_);
  }
}

void ReportSession::requireScenario() {
  if (!ids(*database_, kScenarioHasMembers, {Parameter::string(options_.scenario)}).empty()) return;
  std::string names;
  database_->query(kScenarios, {}, [&names](RWEStringCollection& row) {
    names += (names.empty() ? "" : ", ") + row[0].str();
  });
  throw KvException("Unknown scenario \"" + options_.scenario + "\": it has no member in tnl_scenario (" +
                    (names.empty() ? "the database has no scenario" : "its scenarios: " + names) + ")");
}

void ReportSession::requireNetwork() {
  bool network = false;
  try {
    network = !ids(*database_, kHasCatalogue, {}).empty();
  } catch (const KvException&) {
  }
  if (!network) {
    throw KvException("Not a network database: " + Database::displayName(options_.database) +
                      " has no instance catalogue tnl_instance (tarnel-report demo-db writes one)");
  }
}

bool ReportSession::catalogueEntity(int instanceId, std::string& entity) {
  bool known = false;
  database_->query(SnapshotCache::kCatalogueEntity, {Parameter::integer(instanceId)},
                   [&](RWEStringCollection& row) {
                     known = true;
                     entity = row[0].str();
                   });
  return known;
}

std::vector<int> ReportSession::instancesOf(const std::string& entity) {
  return ids(*database_, kInstancesOf, {Parameter::string(entity)});
}

std::vector<int> ReportSession::instancesBetween(int low, int high) {
  return ids(*database_, kInstancesBetween, {Parameter::integer(low), Parameter::integer(high)});
}

std::vector<std::string> ReportSession::entities() {
  std::vector<std::string> names;
  database_->query(kEntities, {}, [&names](RWEStringCollection& row) { names.push_back(row[0].str()); });
  return names;
}

// Some reports fix their entity whatever the configuration says, so the run
// goes on; the outcome only names both entities. A report without an entity
// of its own names none.
void ReportSession::noteOtherEntity(TarnelEntityReport& report, const std::string& entity,
                                    RunOutcome& outcome) {
  std::string own = report.entityName().str();
  if (own.empty() || own == entity) return;
  outcome.catalogueEntity = entity;
  outcome.reportEntity = own;
}

RunOutcome ReportSession::run(int instanceId) { return run(instanceId, options_.outFolder); }

RunOutcome ReportSession::run(int instanceId, const std::string& outFolder) {
  try {
    if (options_.batch) {
      Database::BatchRun scope(*database_, instanceId);
      return checkedBuild(instanceId, outFolder);
    }
    cache_.reset(0);  // what a run reads from memory is its own transaction's
    Database::ReadTransaction snapshot(*database_);
    return checkedBuild(instanceId, outFolder);
  } catch (const KvException& e) {
    return outcome(RunOutcome::kFailed, e);
  }
}

std::string ReportSession::nameOf(int instanceId) {
  try {
    return dataManager_.instanceName(instanceId).str();
  } catch (const KvException&) {
    return std::string();  // the run failed already; its outcome says why
  }
}

RunOutcome ReportSession::finish(int instanceId, const std::string& steeringPath, RunOutcome result) {
  if (!options_.afterRun) return result;
  try {
    options_.afterRun(instanceId, steeringPath);
  } catch (const std::exception& e) {
    result.kind = RunOutcome::kFailed;
    result.message = e.what();
  }
  return result;
}

RunOutcome ReportSession::checkedBuild(int instanceId, const std::string& outFolder) {
  std::string entity;
  if (catalogueEntity(instanceId, entity)) return build(instanceId, entity, outFolder);
  RunOutcome o;
  o.kind = RunOutcome::kInput;
  o.message =
      "Unknown instance: " + std::to_string(instanceId) + " (not in the catalogue tnl_instance)";
  return o;
}

RunOutcome ReportSession::build(int instanceId, const std::string& entity, const std::string& outFolder) {
  RunOutput output(outFolder, options_.reportName, instanceId);
  dataManager_.setRun(&output);
  struct Detach {
    DatabaseDataManager& dm;
    ~Detach() { dm.setRun(nullptr); }
  } detach{dataManager_};
  RunOutcome result;
  try {
    std::unique_ptr<TarnelEntityReport> report =
        options_.constructor(options_.reportName, connection_, dataManager_, *options_.log);
    report->setConfigElement(configuration_.root());
    TarnelReportInfo info(instanceId, options_.scenario);
    report->configure(info);
    noteOtherEntity(*report, entity, result);
    report->preBuild();
    report->buildReport();
    report->postBuild();
    TarnelSteeringData steering;
    report->populateSteeringData(steering);
    result.instanceName = dataManager_.instanceName(instanceId).str();
    RunRecord run{options_.reportName, options_.className, report->entityName().str(), instanceId,
                  result.instanceName, options_.scenario, Database::displayName(options_.database),
                  isoTime()};
    report.reset();
    output.commit(steering, run);
    return finish(instanceId, output.steeringPath(), result);
  } catch (const KvSkipReportException& e) {
    result = outcome(RunOutcome::kSkipped, e, result);
  } catch (const ReportMessageException& e) {
    result = outcome(RunOutcome::kMessage, e, result);
  } catch (const KvException& e) {
    result = outcome(RunOutcome::kFailed, e, result);
    if (!configuration_.hasLibraries() && result.message.rfind(kUndefinedQuery, 0) == 0) {
      result.contexts.push_back(kLibraryHint);
    }
  } catch (const std::exception& e) {
    result.kind = RunOutcome::kFailed;
    result.message = e.what();
  }
  result.instanceName = nameOf(instanceId);
  for (const std::string& kept : output.abandon()) {
    if (result.kind == RunOutcome::kFailed) {
      result.contexts.push_back("partial report kept as " + kept);
    } else {
      std::remove(kept.c_str());
    }
  }
  return result;
}

const char* RunOutcome::word(Kind kind) {
  switch (kind) {
    case kWritten: return "written";
    case kMessage: return "message";
    case kSkipped: return "skipped";
    default: return "failed";
  }
}
