// BatchShard: slice K of N of a batch's instance list, so that N hosts share
// one night's batch against one server, each running `batch --shard K/N`, or
// `--shard auto` under a scheduler that gives each task its index.
// Of the M instances listed, slice K holds positions (K-1)*M/N up to, not
// including, K*M/N, rounded down (positions from 0; contiguous; slice sizes
// differ by at most one), so the N slices together run every instance exactly
// once, provided every host lists the same instances (the catalogue gives
// them in id order).
#ifndef TARNEL_HOST_BATCHSHARD_H_
#define TARNEL_HOST_BATCHSHARD_H_

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

class BatchShard {
 public:
  // Looks up an environment variable: its value, or nullptr when it is unset.
  typedef std::function<const char*(const char*)> Environment;

  // Parses "K/N" with 1 <= K <= N, or "auto": K and N from a Kubernetes
  // Indexed Job (JOB_COMPLETION_INDEX from 0, the count in TARNEL_SHARDS) or
  // a Slurm job array (SLURM_ARRAY_TASK_ID, SLURM_ARRAY_TASK_MIN,
  // SLURM_ARRAY_TASK_COUNT) read through `environment`. Throws KvException
  // saying what is wrong or missing.
  static BatchShard parse(const std::string& text, const Environment& environment = std::getenv);

  // Slice `index` (from 1) of `count`; the precondition 1 <= index <= count
  // is the caller's.
  BatchShard(int index, int count) : index_(index), count_(count) {}

  // The instances of this slice, in the order of `instances`.
  std::vector<int> of(const std::vector<int>& instances) const;
  // "K/N".
  std::string text() const;

 private:
  static BatchShard fromScheduler(const Environment& environment);

  int index_;
  int count_;
};

#endif  // TARNEL_HOST_BATCHSHARD_H_
