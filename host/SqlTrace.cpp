#include "host/SqlTrace.h"

#include <cerrno>
#include <cstring>

#include "framework/KvException.h"

SqlTrace::SqlTrace(const std::string& path) : file_(std::fopen(path.c_str(), "a")) {
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

void SqlTrace::line(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::fwrite(text.data(), 1, text.size(), file_);
  std::fputc('\n', file_);
}
