// BatchSnapshot: what the workers of a batch share so that the batch reads
// the network as of one moment: on PostgreSQL the id of the snapshot that one
// worker's transaction exported and the others import, and the results that
// cannot change within it (SnapshotCache). When the snapshot is lost (its
// exporting connection broke), the next worker to join exports a new one: a
// new generation, for which the cache starts again. Thread-safe; it must
// outlive the connections that joined it.
#ifndef TARNEL_HOST_BATCHSNAPSHOT_H_
#define TARNEL_HOST_BATCHSNAPSHOT_H_

#include <functional>
#include <mutex>
#include <string>

#include "host/SnapshotCache.h"

class BatchSnapshot {
 public:
  // A snapshot to read: its id and its generation.
  struct Moment {
    std::string id;
    unsigned generation = 0;
  };

  BatchSnapshot() = default;
  BatchSnapshot(const BatchSnapshot&) = delete;
  BatchSnapshot& operator=(const BatchSnapshot&) = delete;

  // The snapshot to import; when there is none, the one `exportOne` returns
  // the id of (called under the lock, so that one worker exports while the
  // others wait), as a new generation. Throws what `exportOne` throws.
  Moment join(const std::function<std::string()>& exportOne);
  // The snapshot of `generation` can no longer be imported: the next join
  // exports a new one. Nothing when a newer generation exists already.
  void lost(unsigned generation);
  // The generation of the snapshot to read now.
  unsigned generation() const;

  SnapshotCache& cache() { return cache_; }

 private:
  mutable std::mutex mutex_;
  Moment current_;
  SnapshotCache cache_;
};

#endif  // TARNEL_HOST_BATCHSNAPSHOT_H_
