#include "host/ReportSession.h"

#include <cstdio>

#include "framework/KvException.h"
#include "framework/TarnelReportInfo.h"
#include "framework/TarnelSteeringData.h"
#include "host/RunOutput.h"

namespace {
const char kInstancesOf[] =
    "select instance_id from tnl_instance where entity = ?1 order by instance_id";
const char kInstancesBetween[] =
    "select instance_id from tnl_instance where instance_id between ?1 and ?2 "
    "order by instance_id";

RunOutcome outcome(RunOutcome::Kind kind, const KvException& e) {
  RunOutcome o;
  o.kind = kind;
  o.message = e.message().str();
  for (const RWEString& c : e.contexts()) o.contexts.push_back(c.str());
  return o;
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
  database_->setTrace(options.trace);
  if (options.batch) {
    database_->joinBatch(*options.batch);
  } else {
    database_->setCache(&cache_);
  }
}

bool ReportSession::knownInstance(int instanceId) {
  return !ids(*database_, SnapshotCache::kKnownInstance, {Parameter::integer(instanceId)}).empty();
}

std::vector<int> ReportSession::instancesOf(const std::string& entity) {
  return ids(*database_, kInstancesOf, {Parameter::string(entity)});
}

std::vector<int> ReportSession::instancesBetween(int low, int high) {
  return ids(*database_, kInstancesBetween, {Parameter::integer(low), Parameter::integer(high)});
}

RunOutcome ReportSession::run(int instanceId) {
  try {
    if (options_.batch) {
      Database::BatchRun scope(*database_, instanceId);
      return checkedBuild(instanceId);
    }
    cache_.reset(0);  // what a run reads from memory is its own transaction's
    Database::ReadTransaction snapshot(*database_);
    return checkedBuild(instanceId);
  } catch (const KvException& e) {
    return outcome(RunOutcome::kFailed, e);
  }
}

RunOutcome ReportSession::checkedBuild(int instanceId) {
  if (knownInstance(instanceId)) return build(instanceId);
  RunOutcome o;
  o.kind = RunOutcome::kInput;
  o.message =
      "Unknown instance: " + std::to_string(instanceId) + " (not in the catalogue tnl_instance)";
  return o;
}

RunOutcome ReportSession::build(int instanceId) {
  RunOutput output(options_.outFolder, options_.reportName, instanceId);
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
    report->preBuild();
    report->buildReport();
    report->postBuild();
    TarnelSteeringData steering;
    report->populateSteeringData(steering);
    report.reset();
    output.commit(steering);
    return result;
  } catch (const KvSkipReportException& e) {
    result = outcome(RunOutcome::kSkipped, e);
  } catch (const ReportMessageException& e) {
    result = outcome(RunOutcome::kMessage, e);
  } catch (const KvException& e) {
    result = outcome(RunOutcome::kFailed, e);
  } catch (const std::exception& e) {
    result.kind = RunOutcome::kFailed;
    result.message = e.what();
  }
  for (const std::string& kept : output.abandon()) {
    if (result.kind == RunOutcome::kFailed) {
      result.contexts.push_back("partial report kept as " + kept);
    } else {
      std::remove(kept.c_str());
    }
  }
  return result;
}
