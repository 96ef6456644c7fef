#include "portal/RunPool.h"

#include <chrono>
#include <list>

#include "framework/KvException.h"

namespace {
// Sessions a worker keeps open: each holds a database connection, its
// prepared statements and caches.
const size_t kSessionsPerWorker = 4;
const char kStopping[] = "The portal is stopping; the report was not run";
}  // namespace

// One worker's sessions, the most recently used first.
class RunPool::Worker {
 public:
  explicit Worker(const SessionOptions& base) : base_(base) {}

  // Runs `report` for `instanceId` into `folder`; never throws.
  Result run(const ReportCatalogue::Entry& report, int instanceId, const std::string& folder) {
    auto start = std::chrono::steady_clock::now();
    Result result;
    try {
      result.outcome = session(report).run(instanceId, folder);
    } catch (const KvException& e) {  // the database could not be opened
      result.outcome.kind = RunOutcome::kFailed;
      result.outcome.message = e.message().str();
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
  }

 private:
  ReportSession& session(const ReportCatalogue::Entry& report) {
    for (auto it = sessions_.begin(); it != sessions_.end(); ++it) {
      if (it->first == &report) {
        sessions_.splice(sessions_.begin(), sessions_, it);
        return *it->second;
      }
    }
    SessionOptions options = base_;
    options.reportName = report.name;
    options.constructor = report.constructor;
    options.className = report.className;
    auto session = std::make_unique<ReportSession>(options, *report.configuration);
    if (sessions_.size() == kSessionsPerWorker) sessions_.pop_back();
    sessions_.emplace_front(&report, std::move(session));
    return *sessions_.front().second;
  }

  const SessionOptions base_;
  std::list<std::pair<const ReportCatalogue::Entry*, std::unique_ptr<ReportSession>>> sessions_;
};

RunPool::RunPool(const SessionOptions& base, int workers, size_t queueLimit)
    : queueLimit_(queueLimit) {
  for (int i = 0; i < std::max(workers, 1); ++i) workers_.push_back(std::make_unique<Worker>(base));
  for (auto& worker : workers_) threads_.emplace_back(&RunPool::work, this, std::ref(*worker));
}

RunPool::~RunPool() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopping_ = true;
    for (Job& job : queue_) {
      Result refused;
      refused.outcome.kind = RunOutcome::kFailed;
      refused.outcome.message = kStopping;
      job.result.set_value(refused);
    }
    queue_.clear();
    batches_.clear();
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

std::future<RunPool::Result> RunPool::submit(const ReportCatalogue::Entry& report, int instanceId,
                                             const std::string& folder) {
  std::future<Result> future;
  {
    std::lock_guard<std::mutex> guard(lock_);
    // An idle worker takes the run at once; beyond them, queueLimit_ may wait.
    if (stopping_ || queue_.size() >= queueLimit_ + idle_) return future;
    queue_.push_back(Job{&report, instanceId, folder, {}});
    future = queue_.back().result.get_future();
  }
  wake_.notify_one();
  return future;
}

void RunPool::addBatch(const std::shared_ptr<BatchRun>& batch) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (stopping_) return;
    batches_.push_back(batch);
  }
  wake_.notify_all();
}

bool RunPool::next(Job& job, std::shared_ptr<BatchRun>& batch, size_t& position) {
  std::unique_lock<std::mutex> guard(lock_);
  for (;;) {
    if (stopping_) return false;
    if (!queue_.empty()) {
      job = std::move(queue_.front());
      queue_.pop_front();
      batch.reset();
      return true;
    }
    while (!batches_.empty()) {
      if (batches_.front()->take(position, job.instanceId)) {
        batch = batches_.front();
        return true;
      }
      batches_.pop_front();  // every instance taken
    }
    ++idle_;
    wake_.wait(guard);
    --idle_;
  }
}

void RunPool::work(Worker& worker) {
  Job job;
  std::shared_ptr<BatchRun> batch;
  size_t position = 0;
  while (next(job, batch, position)) {
    ++runsStarted_;
    if (batch) {
      batch->record(position, worker.run(batch->report(), job.instanceId, batch->folder()).outcome);
    } else {
      job.result.set_value(worker.run(*job.report, job.instanceId, job.folder));
    }
  }
}
