#include "host/BatchShard.h"

#include <cctype>

#include "framework/KvException.h"

namespace {
// More slices than this is a typing error, not a fleet of hosts.
const long kMaxCount = 100000;
const char kUsage[] = "--shard needs K/N with 1 <= K <= N <= 100000 (slice K of N): ";

// The whole number `text` is, or -1 when it is none (or too large).
long number(const std::string& text) {
  if (text.empty() || text.size() > 6) return -1;
  for (char c : text) {
    if (!isdigit(static_cast<unsigned char>(c))) return -1;
  }
  return std::stol(text);
}
}  // namespace

BatchShard BatchShard::parse(const std::string& text) {
  size_t slash = text.find('/');
  long index = slash == std::string::npos ? -1 : number(text.substr(0, slash));
  long count = slash == std::string::npos ? -1 : number(text.substr(slash + 1));
  if (index < 1 || count < 1 || count > kMaxCount || index > count) {
    throw KvException(kUsage + text);
  }
  return BatchShard(static_cast<int>(index), static_cast<int>(count));
}

std::vector<int> BatchShard::of(const std::vector<int>& instances) const {
  size_t total = instances.size();
  size_t first = total * static_cast<size_t>(index_ - 1) / static_cast<size_t>(count_);
  size_t end = total * static_cast<size_t>(index_) / static_cast<size_t>(count_);
  return std::vector<int>(instances.begin() + static_cast<long>(first),
                          instances.begin() + static_cast<long>(end));
}
