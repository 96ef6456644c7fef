// ZipArchive: a zip archive held in memory and read with libzip: its entry
// names, an entry's data, and (through ZipWriter) an entry's compressed data
// copied as it is. Opening refuses what is not a zip, a damaged or truncated
// archive, and one whose entries would expand past kMaxExpandedBytes; verify()
// also reads every entry through its checksum. Messages name `file`. Shares
// the bytes it reads (several archives may read one copy); one archive is
// used by one thread at a time, as libzip keeps a read position.
#ifndef TARNEL_WORKBOOK_ZIPARCHIVE_H_
#define TARNEL_WORKBOOK_ZIPARCHIVE_H_

#include <zip.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class ZipArchive {
 public:
  static const unsigned long long kMaxExpandedBytes = 100ULL << 20;

  ZipArchive(std::shared_ptr<const std::string> bytes, std::string file);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // Reads every entry whole, so that damage anywhere is found now.
  void verify() const;

  size_t size() const { return names_.size(); }
  const std::string& name(size_t index) const { return names_[index]; }
  // The index of entry `name`; -1 when there is none.
  long find(const std::string& name) const;
  // Entry `index` decompressed.
  std::string read(size_t index) const;
  // Entry `name` decompressed; "" when there is none.
  std::string read(const std::string& name) const;

  const std::string& file() const { return file_; }
  zip_t* handle() const { return zip_; }

 private:
  std::shared_ptr<const std::string> bytes_;
  std::string file_;
  zip_t* zip_ = nullptr;
  std::vector<std::string> names_;
  std::unordered_map<std::string, size_t> index_;
};

#endif  // TARNEL_WORKBOOK_ZIPARCHIVE_H_
