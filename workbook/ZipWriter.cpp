#include "workbook/ZipWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "workbook/WorkbookError.h"
#include "workbook/ZipArchive.h"

namespace {

// MS-DOS date and time of `time` in UTC (the zip format's own), not before 1980.
void dosTime(time_t time, zip_uint16_t& dosDate, zip_uint16_t& dosClock) {
  struct tm t;
  gmtime_r(&time, &t);
  if (t.tm_year < 80) {
    dosDate = (1 << 5) | 1;
    dosClock = 0;
    return;
  }
  dosDate = static_cast<zip_uint16_t>(((t.tm_year - 80) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
  dosClock = static_cast<zip_uint16_t>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
}

}  // namespace

ZipWriter::ZipWriter(std::string file) : file_(std::move(file)) {
  zip_error_t error;
  zip_error_init(&error);
  buffer_ = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (buffer_) {
    zip_source_keep(buffer_);
    zip_ = zip_open_from_source(buffer_, ZIP_TRUNCATE, &error);
  }
  std::string message = zip_error_strerror(&error);
  zip_error_fini(&error);
  if (!zip_) {
    if (buffer_) zip_source_free(buffer_);
    throw WorkbookError("Cannot write workbook " + file_ + ": " + message);
  }
}

ZipWriter::~ZipWriter() {
  if (zip_) zip_discard(zip_);
  if (buffer_) zip_source_free(buffer_);
}

void ZipWriter::failed(const std::string& what) {
  throw WorkbookError("Cannot write workbook " + file_ + " (" + what + "): " + zip_strerror(zip_));
}

void ZipWriter::copy(const ZipArchive& from, size_t index, const std::string& name) {
  zip_source_t* source = zip_source_zip(zip_, from.handle(), index, 0, 0, -1);
  if (!source) failed(name);
  if (zip_file_add(zip_, name.c_str(), source, 0) < 0) {
    zip_source_free(source);
    failed(name);
  }
}

void ZipWriter::copy(const ZipArchive& from, size_t index, const std::string& name, time_t time) {
  copy(from, index, name);
  date(zip_get_num_entries(zip_, 0) - 1, time, name);
}

void ZipWriter::add(const std::string& name, std::string bytes, time_t time, Compression compression) {
  held_.push_back(std::move(bytes));
  zip_source_t* source = zip_source_buffer(zip_, held_.back().data(), held_.back().size(), 0);
  if (!source) failed(name);
  zip_int64_t index = zip_file_add(zip_, name.c_str(), source, 0);
  if (index < 0) {
    zip_source_free(source);
    failed(name);
  }
  if (compression == kStore && zip_set_file_compression(zip_, index, ZIP_CM_STORE, 0) != 0) failed(name);
  date(index, time, name);
}

void ZipWriter::date(zip_int64_t index, time_t time, const std::string& name) {
  zip_uint16_t day = 0, clock = 0;
  dosTime(time, day, clock);
  if (zip_file_set_dostime(zip_, static_cast<zip_uint64_t>(index), clock, day, 0) != 0) failed(name);
}

std::string ZipWriter::finish() {
  if (zip_close(zip_) != 0) failed("closing");
  zip_ = nullptr;
  held_.clear();
  zip_stat_t stat;
  if (zip_source_stat(buffer_, &stat) != 0 || zip_source_open(buffer_) != 0) {
    throw WorkbookError("Cannot write workbook " + file_ + ": archive not readable");
  }
  std::string bytes(stat.size, '\0');
  zip_int64_t n = zip_source_read(buffer_, &bytes[0], stat.size);
  zip_source_close(buffer_);
  if (n < 0 || static_cast<zip_uint64_t>(n) != stat.size) {
    throw WorkbookError("Cannot write workbook " + file_ + ": archive not readable");
  }
  return bytes;
}

void ZipWriter::write() {
  std::string bytes = finish();
  int fd = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw WorkbookError("Cannot write workbook " + file_ + ": " + std::strerror(errno));
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int saved = n < 0 ? errno : ENOSPC;
      ::close(fd);
      throw WorkbookError("Cannot write workbook " + file_ + ": " + std::strerror(saved));
    }
    done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0) throw WorkbookError("Cannot write workbook " + file_ + ": " + std::strerror(errno));
}
