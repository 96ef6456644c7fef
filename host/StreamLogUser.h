// StreamLogUser: the host's log identity. Writes each message to standard
// error, and to the --log file when one is given, as lines starting with
// "tarnel-report: log: " (continuation lines indented). Shared by the
// workers of a batch; each message is written whole.
#ifndef TARNEL_HOST_STREAMLOGUSER_H_
#define TARNEL_HOST_STREAMLOGUSER_H_

#include <fstream>
#include <mutex>
#include <string>

#include "framework/LogUser.h"

class StreamLogUser : public LogUser {
 public:
  // `logPath` empty: standard error only. Throws KvException when the log
  // file cannot be opened.
  explicit StreamLogUser(const std::string& logPath);

  ErrorResponse logMessage(const char* text, int level) override;

 private:
  std::mutex mutex_;
  std::ofstream file_;
};

// `text` with every line break followed by `indent`, without a final break.
std::string indentLines(const std::string& text, const std::string& indent);

#endif  // TARNEL_HOST_STREAMLOGUSER_H_
