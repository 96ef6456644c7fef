// LogUser: the log identity of a report run. The host writes the messages to
// standard error (and a log file when asked); the tests record them.
#ifndef TARNEL_FRAMEWORK_LOGUSER_H_
#define TARNEL_FRAMEWORK_LOGUSER_H_

enum ErrorResponse { ER_CONTINUE = 0, ER_ABORT = 1 };

class LogUser {
 public:
  virtual ~LogUser() = default;
  // Records `text` at `level` (0 is an error). Never throws.
  virtual ErrorResponse logMessage(const char* text, int level) = 0;
};

#endif  // TARNEL_FRAMEWORK_LOGUSER_H_
