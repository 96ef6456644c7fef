// SqlTrace: the --trace-sql sink. Appends one line per SQL text run (line
// breaks inside a statement become blanks), shared by every worker of a
// batch; each line is written whole. A procedure call is written after a
// comment line naming it: on SQLite as its bodies with the arguments filled
// in, on PostgreSQL as the function call, so that the file replays as plain
// SQL.
#ifndef TARNEL_HOST_SQLTRACE_H_
#define TARNEL_HOST_SQLTRACE_H_

#include <cstdio>
#include <mutex>
#include <string>

class SqlTrace {
 public:
  // Opens `path` for appending; throws KvException when it cannot.
  explicit SqlTrace(const std::string& path);
  ~SqlTrace();
  SqlTrace(const SqlTrace&) = delete;
  SqlTrace& operator=(const SqlTrace&) = delete;

  void statement(const std::string& sql);
  void comment(const std::string& text);

 private:
  void line(const std::string& text);

  FILE* file_;
  std::mutex mutex_;
};

#endif  // TARNEL_HOST_SQLTRACE_H_
