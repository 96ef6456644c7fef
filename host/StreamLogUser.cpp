#include "host/StreamLogUser.h"

#include <iostream>

#include "framework/KvException.h"

std::string indentLines(const std::string& text, const std::string& indent) {
  std::string trimmed = text;
  while (!trimmed.empty() && trimmed.back() == '\n') trimmed.pop_back();
  std::string out;
  for (char c : trimmed) {
    out += c;
    if (c == '\n') out += indent;
  }
  return out;
}

StreamLogUser::StreamLogUser(const std::string& logPath) {
  if (logPath.empty()) return;
  file_.open(logPath, std::ios::out | std::ios::app);
  if (!file_) throw KvException("Cannot open log file " + logPath);
}

ErrorResponse StreamLogUser::logMessage(const char* text, int) {
  std::string line = "tarnel-report: log: " + indentLines(text ? text : "", "    ") + "\n";
  std::lock_guard<std::mutex> lock(mutex_);
  std::cerr << line << std::flush;
  if (file_.is_open()) file_ << line << std::flush;
  return ER_CONTINUE;
}
