#include "host/BatchJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "framework/KvException.h"
#include "host/RunOutput.h"

namespace {
const char kHeader[] = "tarnel-report batch journal 1\n";
const char kWritten[] = " written";
const char kCannotWrite[] = "Cannot write the batch journal ";
const char kCannotFlush[] = "Cannot flush the output folder ";
// Often enough that a resumed batch redoes about a second of work, seldom
// enough that the flushes cost the batch next to nothing.
const std::chrono::milliseconds kInterval(1000);

// Test builds read two settings from the environment: TARNEL_TEST_FLUSH_MS,
// the flush interval, and TARNEL_TEST_FAIL_FLUSH=N, which fails the N-th
// flush as an I/O error would. Other builds ignore them.
int testSetting(const char* name, int otherwise) {
#ifdef TARNEL_TEST_SEAMS
  if (const char* value = std::getenv(name)) return std::atoi(value);
#else
  (void)name;
#endif
  return otherwise;
}

// Lines are written through a buffer of this size on the stack, so that the
// flusher thread allocates nothing (and never gets a heap of its own).
const size_t kBuffer = 16384;
const size_t kLongestLine = 20;  // "-2147483648 written\n"

// Writes the line of `id` at `out`; returns its length.
size_t formatLine(char* out, int id) {
  char* end = std::to_chars(out, out + 11, id).ptr;
  std::memcpy(end, kWritten, 8);
  end[8] = '\n';
  return static_cast<size_t>(end + 9 - out);
}

// Parses "<id> written", the id as std::to_string writes it.
bool parseEntry(const std::string& text, int& id) {
  size_t space = text.find(' ');
  if (space == std::string::npos || space > 11 || text.compare(space, std::string::npos, kWritten) != 0) return false;
  std::string number = text.substr(0, space);
  long value = std::strtol(number.c_str(), nullptr, 10);
  id = static_cast<int>(value);
  return value == id && std::to_string(id) == number;
}

// Puts `ids` in order, each once (a batch records each instance once).
void sortIds(std::vector<int>& ids) {
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
}

// The entries of the journal `path` in id order, up to its first line that
// is not a whole entry; none when it does not start with the header. Read a
// line at a time into a vector with room for `more` (4 bytes an entry): a
// journal never stands whole in memory.
std::vector<int> trustedEntries(const std::string& path, size_t more = 0) {
  std::vector<int> entries;
  std::ifstream in(path, std::ios::binary);
  std::string text;
  if (!std::getline(in, text) || in.eof() || text + '\n' != kHeader) return entries;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) entries.reserve(static_cast<size_t>(st.st_size) / 16 + more);
  int id = 0;
  while (std::getline(in, text) && !in.eof() && parseEntry(text, id)) entries.push_back(id);
  sortIds(entries);
  return entries;
}

bool writeAll(int fd, const char* text, size_t length) {
  for (size_t done = 0; done < length;) {
    ssize_t n = ::write(fd, text + done, length - done);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string failure(const std::string& what, const std::string& path) {
  return what + path + ": " + std::strerror(errno);
}

// Writes the journal's header line when `header`, then the lines of `ids`,
// to `fd`; false when a write failed. Adds the bytes written to `size`.
bool writeLines(int fd, bool header, const std::vector<int>& ids, size_t& size) {
  char buffer[kBuffer];
  size_t used = header ? std::strlen(kHeader) : 0;
  std::memcpy(buffer, kHeader, used);
  for (size_t i = 0; i <= ids.size(); ++i) {
    if (i < ids.size() && used + kLongestLine <= kBuffer) {
      used += formatLine(buffer + used, ids[i]);
      continue;
    }
    if (!writeAll(fd, buffer, used)) return false;
    size += used;
    used = 0;
    if (i < ids.size()) used = formatLine(buffer, ids[i]);
  }
  return true;
}

// Replaces the journal `path` by one holding `ids`; returns its size.
// When `durable`, the file and then its rename are flushed, so that a crash
// leaves either the old journal or the new one, whole.
size_t replace(const std::string& path, const std::vector<int>& ids, int folder, bool durable) {
  std::string partial = path + ".partial";
  int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  size_t size = 0;
  bool ok = fd >= 0 && writeLines(fd, true, ids, size) && (!durable || ::fsync(fd) == 0);
  std::string error = ok ? "" : failure(kCannotWrite, path);
  if (fd >= 0 && ::close(fd) != 0 && ok) error = failure(kCannotWrite, path);
  if (error.empty() && (::rename(partial.c_str(), path.c_str()) != 0 || (durable && ::fsync(folder) != 0))) {
    error = failure(kCannotWrite, path);
  }
  if (!error.empty()) {
    ::unlink(partial.c_str());
    throw KvException(error);
  }
  return size;
}

}  // namespace

BatchJournal::Descriptor::~Descriptor() {
  if (fd >= 0) ::close(fd);
}

std::string BatchJournal::fileName(const std::string& name, const std::string& shard) {
  std::string file = RunOutput::fileName(name);
  if (!shard.empty()) {
    size_t slash = shard.find('/');
    file += ".shard-" + shard.substr(0, slash) + "-of-" + shard.substr(slash + 1);
  }
  return file + ".journal";
}

BatchJournal::BatchJournal(const std::string& folder, const std::string& file, bool resume)
    : folderPath_(folder), path_(folder + "/" + file), resuming_(resume),
      failAt_(testSetting("TARNEL_TEST_FAIL_FLUSH", 0)) {
  folder_.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_.fd < 0) throw KvException(failure("Cannot open the output folder ", folder));
  if (resume) started_ = trustedEntries(path_);
  // A journal already there is replaced durably: were the old one to come
  // back after a power loss, it would vouch for files this batch replaces.
  size_ = replace(path_, started_, folder_.fd, ::access(path_.c_str(), F_OK) == 0);
  journal_.fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (journal_.fd < 0) throw KvException(failure(kCannotWrite, path_));
  std::chrono::milliseconds interval(testSetting("TARNEL_TEST_FLUSH_MS", static_cast<int>(kInterval.count())));
  flusher_ = std::thread(&BatchJournal::flushEvery, this, interval);
}

BatchJournal::~BatchJournal() { stopFlusher(); }

bool BatchJournal::holds(int id) const { return std::binary_search(started_.begin(), started_.end(), id); }

void BatchJournal::record(int id, RunOutcome::Kind kind) {
  if (kind != RunOutcome::kWritten) return;
  std::lock_guard<std::mutex> lock(mutex_);
  recorded_.push_back(id);
}

void BatchJournal::finish() {
  stopFlusher();
  std::unique_lock<std::mutex> lock(mutex_);
  flushing_.clear();
  flushRecorded(lock, false);  // flushed, and kept in flushing_ for the journal written below
  if (failed()) throw KvException(error_);
  // What the journal holds is read back rather than kept in memory all along.
  std::vector<int>().swap(recorded_);
  std::vector<int> all = trustedEntries(path_, flushing_.size());
  all.insert(all.end(), flushing_.begin(), flushing_.end());
  std::vector<int>().swap(flushing_);
  sortIds(all);
  replace(path_, all, folder_.fd, true);
}

void BatchJournal::stopFlusher() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finishing_ = true;
  }
  wake_.notify_all();
  if (flusher_.joinable()) flusher_.join();
}

void BatchJournal::flushEvery(std::chrono::milliseconds interval) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!finishing_ && !failed()) {
    wake_.wait_for(lock, interval, [this] { return finishing_; });
    if (!finishing_) flushRecorded(lock, true);
  }
}

// Takes what was recorded so far into flushing_: every one of those runs
// returned, so its files were renamed before the flush below starts.
// Appends them to the journal when `append`.
void BatchJournal::flushRecorded(std::unique_lock<std::mutex>& lock, bool append) {
  if (recorded_.empty() || failed()) return;
  flushing_.clear();
  flushing_.swap(recorded_);  // both buffers are kept, so neither grows again
  lock.unlock();
  std::string error = flushFolder();
  if (error.empty() && append) error = appendEntries(flushing_);
  lock.lock();
  if (!error.empty()) {
    error_ = error;
    failed_.store(true);
  }
}

// Flushes the out folder's file system: the message when that fails, or "".
std::string BatchJournal::flushFolder() {
  if (++flushes_ == failAt_) errno = EIO;
  else if (::syncfs(folder_.fd) == 0) return "";
  return failure(kCannotFlush, folderPath_ + " to disk");
}

// Appends `ids` and flushes the journal: the message when that fails, or
// "". A failed append is cut back to the whole lines before it.
std::string BatchJournal::appendEntries(const std::vector<int>& ids) {
  size_t size = size_;
  if (!writeLines(journal_.fd, false, ids, size)) {
    std::string error = failure(kCannotWrite, path_);
    if (::ftruncate(journal_.fd, static_cast<off_t>(size_)) != 0) error += " (its last line, cut, is ignored)";
    return error;
  }
  if (::fdatasync(journal_.fd) != 0) return failure("Cannot flush the batch journal ", path_);
  size_ = size;
  return "";
}
