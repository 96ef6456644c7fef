// BatchRunner: runs one report class over many instances on N worker threads,
// each with its own ReportSession (database connection), sharing the parsed
// configuration. Keeps going after failures; stops taking new instances once
// stop() is called (SIGINT), finishing the ones under way. With a journal,
// records each instance whose run returned, leaves out those the journal
// held when it started, and stops like stop() when a flush fails.
#ifndef TARNEL_HOST_BATCHRUNNER_H_
#define TARNEL_HOST_BATCHRUNNER_H_

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "host/ReportSession.h"

class BatchJournal;

struct BatchSummary {
  int written = 0;
  int skipped = 0;
  int messages = 0;
  int failed = 0;
  int notRun = 0;  // left when the batch was stopped
  int resumed = 0;  // not run again: the journal held them (counted above)
  int otherEntity = 0;  // instances whose catalogue entity is not the report's (RunOutcome)
  std::string reportEntity;  // the report's entity, when otherEntity > 0

  // Counts one instance's outcome (an input the run refused counts as failed).
  void count(RunOutcome::Kind kind) {
    switch (kind) {
      case RunOutcome::kWritten: ++written; break;
      case RunOutcome::kSkipped: ++skipped; break;
      case RunOutcome::kMessage: ++messages; break;
      case RunOutcome::kFailed:
      case RunOutcome::kInput: ++failed; break;
    }
  }
  Database::Traffic traffic;  // what the workers' connections asked and sent
};

class BatchRunner {
 public:
  // Called once per instance, from the worker that ran it, under a lock.
  typedef std::function<void(int instanceId, const RunOutcome&, int done, int total)> Listener;

  BatchRunner(const SessionOptions& options, const ReportConfiguration& configuration, int workers);

  // Records the batch in `journal` (owned by the caller; finish() is the
  // caller's too).
  void setJournal(BatchJournal* journal) { journal_ = journal; }

  // Runs every instance. Throws KvException when a worker's database cannot
  // be opened (before any instance runs), or when files of earlier runs
  // cannot be removed.
  BatchSummary run(const std::vector<int>& instances, const Listener& listener);

  // Asks the workers to stop after their current instance (signal-safe).
  static void stop();
  static bool stopped();

 private:
  std::vector<int> toRun(const std::vector<int>& listed, BatchSummary& summary) const;

  SessionOptions options_;
  const ReportConfiguration& configuration_;
  int workers_;
  BatchJournal* journal_ = nullptr;
};

#endif  // TARNEL_HOST_BATCHRUNNER_H_
