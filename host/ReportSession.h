// ReportSession: runs reports of one class and configuration for instance
// after instance on one database connection, the way the framework drives a
// report: configure, preBuild, buildReport, postBuild, populateSteeringData,
// then the output is committed. A fresh report object serves each instance;
// the connection, data manager and their caches serve them all. One session
// per worker thread; the configuration is shared read-only.
#ifndef TARNEL_HOST_REPORTSESSION_H_
#define TARNEL_HOST_REPORTSESSION_H_

#include <memory>
#include <string>
#include <vector>

#include "engine/ReportRegistry.h"
#include "host/BatchSnapshot.h"
#include "host/ReportConfiguration.h"
#include "host/Database.h"
#include "host/DatabaseConnection.h"
#include "host/DatabaseDataManager.h"
#include "host/SqlTrace.h"

struct SessionOptions {
  std::string database;  // a SQLite file or a postgresql:// URI
  std::string outFolder = ".";
  std::string scenario;
  std::string reportName;
  ReportRegistry::Constructor constructor = nullptr;
  SqlTrace* trace = nullptr;
  LogUser* log = nullptr;
  // The batch whose snapshot the session's runs read; null: each run reads
  // its own (a run outside a batch).
  BatchSnapshot* batch = nullptr;
};

// What became of one instance.
struct RunOutcome {
  enum Kind { kWritten, kFailed, kMessage, kSkipped, kInput };
  Kind kind = kWritten;
  std::string message;
  std::vector<std::string> contexts;
};

class ReportSession {
 public:
  // Opens the database (one connection per session). Throws KvException
  // when it cannot be opened or reached.
  ReportSession(const SessionOptions& options, const ReportConfiguration& configuration);

  // Runs the report for `instanceId`; never throws.
  RunOutcome run(int instanceId);
  // Ends the batch's transaction after the session's last run (a batch
  // session); never throws.
  void endBatch() { database_->endBatch(); }
  // Whether the catalogue tnl_instance lists `instanceId`.
  bool knownInstance(int instanceId);
  // Instance ids of `entity` in the catalogue, ascending.
  std::vector<int> instancesOf(const std::string& entity);
  // Catalogue ids from `low` to `high`, ascending.
  std::vector<int> instancesBetween(int low, int high);
  // What the session's connection asked and sent so far.
  const Database::Traffic& traffic() const { return database_->traffic(); }

 private:
  // Runs the report for a known instance, else says it is unknown.
  RunOutcome checkedBuild(int instanceId);
  RunOutcome build(int instanceId);

  SessionOptions options_;
  const ReportConfiguration& configuration_;
  SnapshotCache cache_;  // a run's own, outside a batch
  std::unique_ptr<Database> database_;
  DatabaseConnection connection_;
  DatabaseDataManager dataManager_;
};

#endif  // TARNEL_HOST_REPORTSESSION_H_
