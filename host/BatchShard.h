// BatchShard: slice K of N of a batch's instance list, so that N hosts share
// one night's batch against one server, each running `batch --shard K/N`.
// Of the M instances listed, slice K holds positions (K-1)*M/N up to, not
// including, K*M/N, rounded down (positions from 0; contiguous; slice sizes
// differ by at most one), so the N slices together run every instance exactly
// once, provided every host lists the same instances (the catalogue gives
// them in id order).
#ifndef TARNEL_HOST_BATCHSHARD_H_
#define TARNEL_HOST_BATCHSHARD_H_

#include <string>
#include <vector>

class BatchShard {
 public:
  // Parses "K/N" with 1 <= K <= N. Throws KvException saying what is wrong.
  static BatchShard parse(const std::string& text);

  // Slice `index` (from 1) of `count`; the precondition 1 <= index <= count
  // is the caller's.
  BatchShard(int index, int count) : index_(index), count_(count) {}

  // The instances of this slice, in the order of `instances`.
  std::vector<int> of(const std::vector<int>& instances) const;

 private:
  int index_;
  int count_;
};

#endif  // TARNEL_HOST_BATCHSHARD_H_
