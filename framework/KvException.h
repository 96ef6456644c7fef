// The exceptions a report run ends with. KvException is a failed run;
// KvSkipReportException tells the framework to skip the instance;
// ReportMessageException carries a message for the user. Each holds its
// message and the contexts added on the way out, oldest first.
// Thrown and caught by value.
#ifndef TARNEL_FRAMEWORK_KVEXCEPTION_H_
#define TARNEL_FRAMEWORK_KVEXCEPTION_H_

#include <exception>
#include <vector>

#include "framework/RWEString.h"

class KvException : public std::exception {
 public:
  explicit KvException(const RWCString& message) : message_(message) {}

  // Adds a context line telling where or why the failure happened.
  void context(const RWEString& text) { contexts_.push_back(text); }

  const RWEString& message() const { return message_; }
  const std::vector<RWEString>& contexts() const { return contexts_; }
  // The message followed by each context on a line of its own.
  RWEString asString() const;
  const char* what() const noexcept override { return message_.data(); }

 private:
  RWEString message_;
  std::vector<RWEString> contexts_;
};

class KvSkipReportException : public KvException {
 public:
  explicit KvSkipReportException(const RWCString& message) : KvException(message) {}
};

class ReportMessageException : public KvException {
 public:
  explicit ReportMessageException(const RWCString& message) : KvException(message) {}
};

#endif  // TARNEL_FRAMEWORK_KVEXCEPTION_H_
