#include "workbook/ZipArchive.h"

#include "workbook/WorkbookError.h"

namespace {

std::string damaged(const std::string& detail, const std::string& file) {
  return "Damaged workbook (" + detail + "): " + file;
}

std::string zipMessage(zip_error_t* error) { return zip_error_strerror(error); }

}  // namespace

ZipArchive::ZipArchive(std::shared_ptr<const std::string> bytes, std::string file)
    : bytes_(std::move(bytes)), file_(std::move(file)) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes_->data(), bytes_->size(), 0, &error);
  if (source) {
    zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!zip_) zip_source_free(source);
  }
  if (!zip_) {
    int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (bytes_->compare(0, 2, "PK") != 0 || code == ZIP_ER_MEMORY) {
      throw WorkbookError(code == ZIP_ER_MEMORY ? "Out of memory reading " + file_
                                                : "Not a workbook (not a zip archive): " + file_);
    }
    throw WorkbookError(damaged("truncated or inconsistent zip archive", file_));
  }
  zip_error_fini(&error);
  zip_int64_t count = zip_get_num_entries(zip_, 0);
  unsigned long long expanded = 0;
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    if (zip_stat_index(zip_, i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
      zip_discard(zip_);
      throw WorkbookError(damaged("unreadable entry", file_));
    }
    expanded += (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
    if (expanded > kMaxExpandedBytes) {
      zip_discard(zip_);
      throw WorkbookError("Workbook would expand past 100 MiB: " + file_);
    }
    index_.emplace(stat.name, names_.size());
    names_.emplace_back(stat.name);
  }
}

ZipArchive::~ZipArchive() { zip_discard(zip_); }

void ZipArchive::verify() const {
  for (size_t i = 0; i < names_.size(); ++i) read(i);
}

long ZipArchive::find(const std::string& name) const {
  auto it = index_.find(name);
  return it == index_.end() ? -1 : static_cast<long>(it->second);
}

std::string ZipArchive::read(size_t index) const {
  zip_file_t* entry = zip_fopen_index(zip_, index, 0);
  if (!entry) throw WorkbookError(damaged(names_[index] + ": " + zip_strerror(zip_), file_));
  std::string data;
  char buffer[65536];
  for (;;) {
    zip_int64_t n = zip_fread(entry, buffer, sizeof buffer);
    if (n < 0) {
      std::string detail = names_[index] + ": " + zipMessage(zip_file_get_error(entry));
      zip_fclose(entry);
      throw WorkbookError(damaged(detail, file_));
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
    if (data.size() > kMaxExpandedBytes) {
      zip_fclose(entry);
      throw WorkbookError("Workbook would expand past 100 MiB: " + file_);
    }
  }
  zip_fclose(entry);
  return data;
}

std::string ZipArchive::read(const std::string& name) const {
  long index = find(name);
  return index < 0 ? std::string() : read(static_cast<size_t>(index));
}
