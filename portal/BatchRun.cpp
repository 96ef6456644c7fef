#include "portal/BatchRun.h"

#include <algorithm>

BatchRun::BatchRun(int number, const ReportCatalogue::Entry& report,
                   const std::vector<int>& instances, std::string folder)
    : number_(number),
      report_(report),
      folder_(std::move(folder)),
      started_(std::chrono::steady_clock::now()),
      finished_(started_) {
  items_.resize(instances.size());
  for (size_t i = 0; i < instances.size(); ++i) items_[i].instanceId = instances[i];
  progress_.total = static_cast<int>(instances.size());
}

bool BatchRun::take(size_t& position, int& instanceId) {
  std::lock_guard<std::mutex> guard(lock_);
  if (next_ == items_.size()) return false;
  position = next_++;
  instanceId = items_[position].instanceId;
  return true;
}

void BatchRun::record(size_t position, const RunOutcome& outcome) {
  std::lock_guard<std::mutex> guard(lock_);
  Item& item = items_[position];
  item.done = true;
  item.kind = outcome.kind;
  item.message = outcome.message;
  for (const std::string& context : outcome.contexts) item.message += "\n" + context;
  progress_.outcomes.count(outcome.kind);
  if (++progress_.done == progress_.total) finished_ = std::chrono::steady_clock::now();
}

BatchRun::Progress BatchRun::progress() const {
  std::lock_guard<std::mutex> guard(lock_);
  Progress copy = progress_;
  auto end = copy.finished() ? finished_ : std::chrono::steady_clock::now();
  copy.seconds = std::chrono::duration<double>(end - started_).count();
  return copy;
}

bool BatchRun::find(int instanceId, Item& copy) const {
  std::lock_guard<std::mutex> guard(lock_);
  auto it = std::lower_bound(items_.begin(), items_.end(), instanceId,
                             [](const Item& item, int id) { return item.instanceId < id; });
  if (it == items_.end() || it->instanceId != instanceId) return false;
  copy = *it;
  return true;
}

std::vector<BatchRun::Item> BatchRun::items(bool problemsOnly, size_t skip, size_t count,
                                            size_t& matches) const {
  std::vector<Item> page;
  matches = 0;
  std::lock_guard<std::mutex> guard(lock_);
  for (const Item& item : items_) {
    if (problemsOnly && (!item.done || item.kind == RunOutcome::kWritten)) continue;
    if (matches++ >= skip && page.size() < count) page.push_back(item);
  }
  return page;
}
