#include "host/BatchRunner.h"

#include <memory>
#include <mutex>
#include <thread>

#include "host/BatchJournal.h"
#include "host/RunOutput.h"

namespace {
std::atomic<bool> stopRequested{false};
}  // namespace

void BatchRunner::stop() { stopRequested.store(true); }

bool BatchRunner::stopped() { return stopRequested.load(); }

BatchRunner::BatchRunner(const SessionOptions& options, const ReportConfiguration& configuration,
                         int workers)
    : options_(options), configuration_(configuration), workers_(workers < 1 ? 1 : workers) {}

// The instances of `listed` that the journal does not hold, in their order;
// those it holds are counted as written in `summary`. A resumed batch removes
// what earlier runs left of the others: after a power loss a final file that
// the journal does not vouch for may be empty or short.
std::vector<int> BatchRunner::toRun(const std::vector<int>& listed, BatchSummary& summary) const {
  if (!journal_) return listed;
  std::vector<int> rest;
  for (int id : listed) {
    if (!journal_->holds(id)) {
      rest.push_back(id);
      continue;
    }
    ++summary.written;
    ++summary.resumed;
  }
  if (journal_->resuming()) RunOutput::removeEarlierFiles(options_.outFolder, options_.reportName, rest);
  return rest;
}

BatchSummary BatchRunner::run(const std::vector<int>& listed, const Listener& listener) {
  BatchSummary summary;
  std::vector<int> instances = toRun(listed, summary);
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
  int done = 0;
  auto work = [&](ReportSession& session) {
    for (;;) {
      if (stopped() || (journal_ && journal_->failed())) return;
      size_t i = next.fetch_add(1);
      if (i >= instances.size()) return;
      RunOutcome outcome = session.run(instances[i]);
      if (journal_) journal_->record(instances[i], outcome.kind);
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
