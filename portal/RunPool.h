// RunPool: the portal's report workers. A fixed number of threads run reports
// through the host's ReportSession, the code `run` and `batch` use; each
// worker keeps the sessions (database connections) of the last few reports it
// ran. Single runs wait in a bounded queue and go first; the instances of
// background batches run when no single run waits. A run asked for while the
// queue is full is refused at once, so that a burst of requests is answered
// rather than piled up. Thread-safe. The destructor lets the runs under way
// finish, answers the queued ones with a failure and leaves the rest of every
// batch unrun.
#ifndef TARNEL_PORTAL_RUNPOOL_H_
#define TARNEL_PORTAL_RUNPOOL_H_

#include <atomic>
#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/ReportCatalogue.h"
#include "host/ReportSession.h"
#include "portal/BatchRun.h"

class RunPool {
 public:
  struct Result {
    RunOutcome outcome;
    double seconds = 0;  // the report's own run time
  };

  // Each worker's sessions take `base` (database, log, after-run hook) with
  // the report's name and class; what `base` points to must outlive the pool.
  RunPool(const SessionOptions& base, int workers, size_t queueLimit);
  ~RunPool();
  RunPool(const RunPool&) = delete;
  RunPool& operator=(const RunPool&) = delete;

  // Queues a run of `report` (which must outlive the run) for `instanceId`,
  // writing into `folder`. Returns the future of its result, or an invalid
  // future (valid() false) when no worker is idle and `queueLimit` runs wait
  // already.
  std::future<Result> submit(const ReportCatalogue::Entry& report, int instanceId,
                             const std::string& folder);
  // Runs `batch` in the background, after the batches added before it.
  void addBatch(const std::shared_ptr<BatchRun>& batch);

  // Report runs started since the pool was made (single and batch).
  long runsStarted() const { return runsStarted_.load(); }

 private:
  struct Job {
    const ReportCatalogue::Entry* report;
    int instanceId;
    std::string folder;
    std::promise<Result> result;
  };
  class Worker;

  // The next single run or batch instance; false when the pool stops.
  bool next(Job& job, std::shared_ptr<BatchRun>& batch, size_t& position);
  void work(Worker& worker);

  const size_t queueLimit_;
  std::atomic<long> runsStarted_{0};
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<Job> queue_;
  std::deque<std::shared_ptr<BatchRun>> batches_;  // those with instances not yet taken
  size_t idle_ = 0;                                // workers waiting for work
  bool stopping_ = false;
  std::vector<std::unique_ptr<Worker>> workers_;
  std::vector<std::thread> threads_;
};

#endif  // TARNEL_PORTAL_RUNPOOL_H_
