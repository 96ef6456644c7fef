// BatchRun: one background batch of the portal: a report over every instance
// of its entity, with its files in one folder, and what became of each
// instance as the workers report it. Workers take instances with take() and
// hand back each outcome with record(); pages read progress() and items().
// Thread-safe.
#ifndef TARNEL_PORTAL_BATCHRUN_H_
#define TARNEL_PORTAL_BATCHRUN_H_

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "host/BatchRunner.h"
#include "host/ReportCatalogue.h"
#include "host/ReportSession.h"

class BatchRun {
 public:
  struct Item {
    int instanceId = 0;
    bool done = false;
    RunOutcome::Kind kind = RunOutcome::kWritten;
    std::string message;  // the outcome's message and contexts, one per line
  };
  struct Progress {
    int total = 0, done = 0;
    BatchSummary outcomes;
    double seconds = 0;  // since the batch started, until it finished
    bool finished() const { return done == total; }
  };

  // `report` must outlive the batch; `instances` ascend; `folder` exists.
  BatchRun(int number, const ReportCatalogue::Entry& report, const std::vector<int>& instances,
           std::string folder);
  BatchRun(const BatchRun&) = delete;
  BatchRun& operator=(const BatchRun&) = delete;

  int number() const { return number_; }
  const ReportCatalogue::Entry& report() const { return report_; }
  const std::string& folder() const { return folder_; }

  // The next instance not yet taken: its position in the batch and its id.
  // False when every instance has been taken.
  bool take(size_t& position, int& instanceId);
  // What became of the instance at `position`.
  void record(size_t position, const RunOutcome& outcome);

  Progress progress() const;
  // The item of `instanceId`; false when the batch has none.
  bool find(int instanceId, Item& copy) const;
  // The items that match `problemsOnly` (every item when false; else those
  // done and not written), from the `skip`-th match, at most `count`;
  // `matches` is set to the number of all that match.
  std::vector<Item> items(bool problemsOnly, size_t skip, size_t count, size_t& matches) const;

 private:
  const int number_;
  const ReportCatalogue::Entry& report_;
  const std::string folder_;
  const std::chrono::steady_clock::time_point started_;
  mutable std::mutex lock_;
  std::vector<Item> items_;
  size_t next_ = 0;
  Progress progress_;
  std::chrono::steady_clock::time_point finished_;
};

#endif  // TARNEL_PORTAL_BATCHRUN_H_
