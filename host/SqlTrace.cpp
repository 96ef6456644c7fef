#include "host/SqlTrace.h"

#include <cerrno>
#include <cstring>

#include "framework/KvException.h"

SqlTrace::SqlTrace(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "a")) {
  if (!file_) throw KvException("Cannot open SQL trace file " + path + ": " + std::strerror(errno));
}

SqlTrace::~SqlTrace() { std::fclose(file_); }

void SqlTrace::statement(const std::string& sql) {
  std::string text(sql);
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  if (text.empty() || text.back() != ';') text += ';';
  line(text);
}

void SqlTrace::comment(const std::string& text) { line("-- " + text); }

void SqlTrace::setUp(const std::vector<std::string>& statements) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (setUpWritten_) return;
    setUpWritten_ = true;
  }
  comment("the connection's set-up");
  for (const std::string& sql : statements) statement(sql);
}

void SqlTrace::line(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fputc('\n', file_) == EOF) {
    if (error_ == 0) error_ = errno;
  }
}

std::string SqlTrace::flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (std::fflush(file_) != 0 && error_ == 0) error_ = errno;
  if (error_ == 0) return "";
  return "Cannot write all of the SQL trace to " + path_ + ": " + std::strerror(error_);
}
