// ReportSession: runs reports of one class and configuration for instance
// after instance on one database connection, the way the framework drives a
// report: configure, preBuild, buildReport, postBuild, populateSteeringData,
// then the output is committed. A fresh report object serves each instance;
// the connection, data manager and their caches serve them all. One session
// per worker thread; the configuration is shared read-only.
#ifndef TARNEL_HOST_REPORTSESSION_H_
#define TARNEL_HOST_REPORTSESSION_H_

#include <functional>
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
  std::string className;  // the class's name, recorded in the steering data
  SqlTrace* trace = nullptr;
  LogUser* log = nullptr;
  // Called on the worker's thread once a run's files are written, with the
  // steering file's path (the workbook is made here). An exception fails the
  // run with its message; the report's files stay.
  std::function<void(int instanceId, const std::string& steeringPath)> afterRun;
  // The batch whose snapshot the session's runs read; null: each run reads
  // its own (a run outside a batch).
  BatchSnapshot* batch = nullptr;
};

// What became of one instance.
struct RunOutcome {
  enum Kind { kWritten, kFailed, kMessage, kSkipped, kInput };
  Kind kind = kWritten;
  std::string instanceName;  // the catalogue's name; "" when unknown
  std::string message;
  std::vector<std::string> contexts;
  // Set when the catalogue's entity of the instance is not the report's own
  // (a cell id given to an ECP report): the two entity names.
  std::string catalogueEntity, reportEntity;
  bool otherEntity() const { return !catalogueEntity.empty() || !reportEntity.empty(); }
  // An outcome of `kind` in a word, as the index workbook and the portal
  // show it: "written", "message", "skipped" or "failed" (an input error too).
  static const char* word(Kind kind);
};

class ReportSession {
 public:
  // Opens the database (one connection per session). Throws KvException
  // when it cannot be opened or reached, is not a network database, or the
  // scenario has no member.
  ReportSession(const SessionOptions& options, const ReportConfiguration& configuration);

  // Runs the report for `instanceId`; never throws. Its files go to
  // `outFolder`, by default the options' folder.
  RunOutcome run(int instanceId);
  RunOutcome run(int instanceId, const std::string& outFolder);
  // Ends the batch's transaction after the session's last run (a batch
  // session); never throws.
  void endBatch() { database_->endBatch(); }
  // Instance ids of `entity` in the catalogue, ascending.
  std::vector<int> instancesOf(const std::string& entity);
  // Catalogue ids from `low` to `high`, ascending.
  std::vector<int> instancesBetween(int low, int high);
  // The entities of the catalogue, in alphabetical order.
  std::vector<std::string> entities();
  // What the session's connection asked and sent so far.
  const Database::Traffic& traffic() const { return database_->traffic(); }

 private:
  // Throws KvException when the database has no instance catalogue.
  void requireNetwork();
  // Throws KvException naming the scenarios when the run's scenario has no
  // member (a misspelt scenario would quietly filter every row away).
  void requireScenario();
  // Whether the catalogue lists `instanceId`; its entity into `entity`.
  bool catalogueEntity(int instanceId, std::string& entity);
  // Runs the report for an instance the catalogue lists, else says it is unknown.
  RunOutcome checkedBuild(int instanceId, const std::string& outFolder);
  RunOutcome build(int instanceId, const std::string& entity, const std::string& outFolder);
  void noteOtherEntity(TarnelEntityReport& report, const std::string& entity, RunOutcome& outcome);
  // The catalogue's name of `instanceId`; "" when it cannot be read.
  std::string nameOf(int instanceId);
  // The written run's result after SessionOptions::afterRun.
  RunOutcome finish(int instanceId, const std::string& steeringPath, RunOutcome result);

  SessionOptions options_;
  const ReportConfiguration& configuration_;
  SnapshotCache cache_;  // a run's own, outside a batch
  std::unique_ptr<Database> database_;
  DatabaseConnection connection_;
  DatabaseDataManager dataManager_;
};

#endif  // TARNEL_HOST_REPORTSESSION_H_
