#include "host/BatchSnapshot.h"

BatchSnapshot::Moment BatchSnapshot::join(const std::function<std::string()>& exportOne) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (current_.id.empty()) {
    current_.id = exportOne();
    cache_.reset(++current_.generation);
  }
  return current_;
}

void BatchSnapshot::lost(unsigned generation) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (generation == current_.generation) current_.id.clear();
}

unsigned BatchSnapshot::generation() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return current_.generation;
}
