// SqlTrace: the --trace-sql sink. Appends one line per SQL text run (line
// breaks inside a statement become blanks), shared by every worker of a
// batch; each line is written whole. A procedure call is written after a
// comment line naming it: on SQLite as its bodies with the arguments filled
// in, on PostgreSQL as the function call. A connection that creates what the
// reports read (SQLite's user_Tab_columns view) writes that set-up first, so
// that the file replays as plain SQL as it stands.
#ifndef TARNEL_HOST_SQLTRACE_H_
#define TARNEL_HOST_SQLTRACE_H_

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

class SqlTrace {
 public:
  // Opens `path` for appending; throws KvException when it cannot.
  explicit SqlTrace(const std::string& path);
  ~SqlTrace();
  SqlTrace(const SqlTrace&) = delete;
  SqlTrace& operator=(const SqlTrace&) = delete;

  void statement(const std::string& sql);
  void comment(const std::string& text);
  // Writes a connection's set-up statements the first time it is called;
  // later calls (the other workers' connections) write nothing. The texts
  // must be fit to run again (a trace file may hold several runs).
  void setUp(const std::vector<std::string>& statements);
  // Flushes the file; the error that kept any line from being written whole
  // (a full disk, a file-size limit), or "" when every line was written.
  std::string flush();

 private:
  void line(const std::string& text);

  std::string path_;
  FILE* file_;
  int error_ = 0;  // errno of the first failed write
  std::mutex mutex_;
  bool setUpWritten_ = false;
};

#endif  // TARNEL_HOST_SQLTRACE_H_
