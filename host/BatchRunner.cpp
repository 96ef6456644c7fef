#include "host/BatchRunner.h"

#include <memory>
#include <mutex>
#include <thread>

namespace {
std::atomic<bool> stopRequested{false};
}  // namespace

void BatchRunner::stop() { stopRequested.store(true); }

bool BatchRunner::stopped() { return stopRequested.load(); }

BatchRunner::BatchRunner(const SessionOptions& options, const ReportConfiguration& configuration,
                         int workers)
    : options_(options), configuration_(configuration), workers_(workers < 1 ? 1 : workers) {}

BatchSummary BatchRunner::run(const std::vector<int>& instances, const Listener& listener) {
  BatchSnapshot snapshot;
  SessionOptions options = options_;
  options.batch = &snapshot;
  std::vector<std::unique_ptr<ReportSession>> sessions;
  size_t count = std::min(static_cast<size_t>(workers_), std::max<size_t>(instances.size(), 1));
  for (size_t i = 0; i < count; ++i) {
    sessions.push_back(std::make_unique<ReportSession>(options, configuration_));
  }
  std::atomic<size_t> next{0};
  std::mutex lock;
  BatchSummary summary;
  int done = 0;
  auto work = [&](ReportSession& session) {
    for (;;) {
      if (stopped()) return;
      size_t i = next.fetch_add(1);
      if (i >= instances.size()) return;
      RunOutcome outcome = session.run(instances[i]);
      std::lock_guard<std::mutex> guard(lock);
      summary.count(outcome.kind);
      if (outcome.otherEntity()) {
        ++summary.otherEntity;
        summary.reportEntity = outcome.reportEntity;
      }
      ++done;
      if (listener) listener(instances[i], outcome, done, static_cast<int>(instances.size()));
    }
  };
  std::vector<std::thread> threads;
  for (size_t i = 1; i < sessions.size(); ++i) threads.emplace_back(work, std::ref(*sessions[i]));
  work(*sessions[0]);
  for (std::thread& t : threads) t.join();
  for (const auto& session : sessions) {
    session->endBatch();
    summary.traffic += session->traffic();
  }
  summary.notRun = static_cast<int>(instances.size()) - done;
  return summary;
}
