// BatchJournal: the record, in a batch's out folder, of the instances whose
// files are safely on disk, so that `batch --resume` runs only the others.
// Workers record() each instance whose run returned written (its files
// renamed, and anything else the run makes); about once a second, and once
// more in finish(), a flusher thread flushes the out folder's file system
// (syncfs) and only then appends those instances to the journal and flushes
// it, so an entry never reaches the disk before the files it vouches for.
// The file: the line "tarnel-report batch journal 1", then one line
// "<id> written" per instance; it is trusted up to its first line that is
// not such a whole line. Instances that were skipped, got a message or
// failed are not recorded: they wrote no files, and a resumed batch runs
// them again.
// The journal owns its flusher thread from construction to finish() or
// destruction. record() and failed() may be called from any thread; the rest
// from the thread that made the journal. Not copyable.
#ifndef TARNEL_HOST_BATCHJOURNAL_H_
#define TARNEL_HOST_BATCHJOURNAL_H_

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/ReportSession.h"

class BatchJournal {
 public:
  // The journal's file name for report `name` and shard "K/N" ("" for none):
  // "<name>.journal" or "<name>.shard-K-of-N.journal", with the characters
  // of the name that report files replace replaced alike.
  static std::string fileName(const std::string& name, const std::string& shard);

  // Starts the journal `file` in `folder`. With `resume` it keeps the entries
  // of the journal already there that it trusts; otherwise none. The journal
  // is written whole (header and kept entries) and flushed before the
  // flusher starts. Throws KvException when it cannot be read or written.
  BatchJournal(const std::string& folder, const std::string& file, bool resume);
  // Stops the flusher; what finish() did not flush stays out of the journal.
  ~BatchJournal();
  BatchJournal(const BatchJournal&) = delete;
  BatchJournal& operator=(const BatchJournal&) = delete;

  const std::string& path() const { return path_; }
  bool resuming() const { return resuming_; }
  // Whether the journal held `id` when it was started.
  bool holds(int id) const;

  // Notes that the run of `id` returned with `kind`: a written instance goes
  // to the journal with the next flush.
  void record(int id, RunOutcome::Kind kind);
  // Whether a flush failed; the batch should then stop.
  bool failed() const { return failed_.load(); }
  // Flushes what was recorded, stops the flusher and writes the journal anew
  // with its entries in id order. Throws KvException when this or an earlier
  // flush failed, the journal then holding only what was flushed before.
  void finish();

 private:
  // A file descriptor, closed with the journal (also when its constructor throws).
  struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();
  };
  void flushEvery(std::chrono::milliseconds interval);
  void flushRecorded(std::unique_lock<std::mutex>& lock, bool append);
  std::string flushFolder();
  std::string appendEntries(const std::vector<int>& ids);
  void stopFlusher();

  std::string folderPath_;
  std::string path_;
  bool resuming_;
  Descriptor folder_;            // the out folder, for syncfs and to flush renames
  Descriptor journal_;           // the journal, opened for appending
  size_t size_ = 0;              // bytes of whole lines in the journal
  std::vector<int> started_;     // instances kept when started, in id order
  std::vector<int> flushing_;    // taken from recorded_ by the flush under way
  int flushes_ = 0;
  int failAt_ = 0;               // a test build's injected failure: the flush that fails

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<int> recorded_;    // not flushed yet
  bool finishing_ = false;
  std::atomic<bool> failed_{false};
  std::string error_;
  std::thread flusher_;
};

#endif  // TARNEL_HOST_BATCHJOURNAL_H_
