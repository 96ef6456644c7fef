// ZipWriter: a new zip archive built in memory with libzip and written to
// its file in one go. Entries are copied from a ZipArchive with their
// compressed data untouched, or added from bytes, deflated or stored, with
// the time given, so that the same entries make the same archive. The
// archive read by copy() must outlive finish(). Errors throw WorkbookError
// naming the file being written. One writer per file, one thread.
#ifndef TARNEL_WORKBOOK_ZIPWRITER_H_
#define TARNEL_WORKBOOK_ZIPWRITER_H_

#include <zip.h>

#include <ctime>
#include <deque>
#include <string>

class ZipArchive;

class ZipWriter {
 public:
  explicit ZipWriter(std::string file);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  enum Compression { kDeflate, kStore };

  // Entry `index` of `from`, as it is, under `name`.
  void copy(const ZipArchive& from, size_t index, const std::string& name);
  // The same, dated `time` (UTC).
  void copy(const ZipArchive& from, size_t index, const std::string& name, time_t time);
  // A new entry `name` holding `bytes`, dated `time` (UTC). Storing spares
  // small entries the deflate state (some 300 KiB set up per entry).
  void add(const std::string& name, std::string bytes, time_t time, Compression compression);
  // The archive's bytes. The writer is spent afterwards.
  std::string finish();
  // finish(), then the bytes written to the file (created or truncated).
  void write();

 private:
  void failed(const std::string& what);
  void date(zip_int64_t index, time_t time, const std::string& name);

  std::string file_;
  zip_source_t* buffer_ = nullptr;
  zip_t* zip_ = nullptr;
  std::deque<std::string> held_;  // data of added entries, read when finishing
};

#endif  // TARNEL_WORKBOOK_ZIPWRITER_H_
