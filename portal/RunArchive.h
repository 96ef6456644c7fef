// RunArchive: where the portal keeps what it ran, in a private folder made
// under TMPDIR at start and removed with everything in it at the end: a
// folder per single run, of which the latest `keptRuns` stay (an older run's
// folder goes when no request holds the run any more), and a folder per
// batch, kept until the portal stops. Thread-safe.
#ifndef TARNEL_PORTAL_RUNARCHIVE_H_
#define TARNEL_PORTAL_RUNARCHIVE_H_

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/ReportCatalogue.h"
#include "host/ReportSession.h"
#include "portal/BatchRun.h"

class RunArchive {
 public:
  // One single run: its folder (removed with the object) and, once it has
  // finished, its outcome and how long the report ran.
  struct Run {
    Run(int number, const ReportCatalogue::Entry& report, int instanceId, std::string folder);
    ~Run();
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    const int number;
    const ReportCatalogue::Entry& report;
    const int instanceId;
    const std::string folder;
    RunOutcome outcome;
    double seconds = 0;
  };

  // Makes the archive's folder. Throws KvException when it cannot.
  explicit RunArchive(size_t keptRuns);
  ~RunArchive();
  RunArchive(const RunArchive&) = delete;
  RunArchive& operator=(const RunArchive&) = delete;

  // A new run with an empty folder; run() finds it only once it is kept.
  // Throws KvException when the folder cannot be made.
  std::shared_ptr<Run> newRun(const ReportCatalogue::Entry& report, int instanceId);
  // Keeps a finished run, and lets the oldest go beyond `keptRuns`.
  void keep(const std::shared_ptr<Run>& run);
  // The kept run `number`; null when there is none (or no longer).
  std::shared_ptr<const Run> run(int number) const;

  // A new batch over `instances` (ascending) with an empty folder. Throws
  // KvException when the folder cannot be made.
  std::shared_ptr<BatchRun> newBatch(const ReportCatalogue::Entry& report,
                                     const std::vector<int>& instances);
  // Batch `number`; null when there is none.
  std::shared_ptr<BatchRun> batch(int number) const;
  // Every batch, the newest first.
  std::vector<std::shared_ptr<BatchRun>> batches() const;

 private:
  std::string newFolder(const std::string& kind, int number) const;

  const size_t keptRuns_;
  std::string root_;
  mutable std::mutex lock_;
  int lastRun_ = 0;
  std::deque<std::shared_ptr<Run>> runs_;  // kept runs, oldest first
  std::map<int, std::shared_ptr<BatchRun>> batches_;
};

#endif  // TARNEL_PORTAL_RUNARCHIVE_H_
