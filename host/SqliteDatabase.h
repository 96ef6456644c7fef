// SqliteDatabase: a Database over a SQLite network file, opened read-only
// (TEMP tables stay writable), with prepared statements kept per SQL text for
// reuse. Provides the TEMP view user_Tab_columns (upper-case table and column
// names of the file's schema, read when the file opens). Stored procedures are
// the rows of tnl_procedure(package, name, step, body): a call runs the bodies
// in step order under one savepoint, binding ?1, ?2, ... to the inputs; its
// rows are those of the last body. One object per thread; not copyable.
#ifndef TARNEL_HOST_SQLITEDATABASE_H_
#define TARNEL_HOST_SQLITEDATABASE_H_

#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/Database.h"

class SqliteDatabase : public Database {
 public:
  // Opens `path` read-only. Throws KvException when the file is missing,
  // is not a SQLite database, or cannot be read.
  explicit SqliteDatabase(const std::string& path);
  ~SqliteDatabase() override;

  // Also writes the connection's set-up at the top of `trace`.
  void setTrace(SqlTrace* trace) override;

 protected:
  // Throws KvException with SQLite's message when `sql` fails.
  void runQuery(const std::string& sql, const Parameters& parameters,
                const RowHandler& row) override;
  // Runs the bodies through query, so that each is traced with its
  // arguments. Throws KvException for a procedure without tnl_procedure
  // rows, and with SQLite's message when a body fails (the call is rolled
  // back).
  void runProcedure(const std::string& name, const Parameters& inputs,
                    const RowHandler& row) override;
  void beginRead() override;
  void endRead() noexcept override;
  // A batch's transaction is a read transaction begun by the first run; each
  // run's savepoint is released, whatever became of the run (SQLite keeps a
  // transaction usable after a failed statement), as a run's own
  // transaction was committed.
  bool startRun(int instanceId) override;
  bool endRun() noexcept override;
  bool endBatchTransaction() noexcept override;

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
  };
  // A prepared statement for `sql`, reset and unbound, owned by the cache.
  sqlite3_stmt* prepare(const std::string& sql);
  // Binds `parameters` to `statement`'s first parameters.
  static void bind(sqlite3_stmt* statement, const Parameters& parameters);
  // Binds `parameters`, steps `statement` to the end, calling `row` for each
  // result row; resets it afterwards, also on failure.
  void run(sqlite3_stmt* statement, const Parameters& parameters, const RowHandler& row);
  void execute(const std::string& sql);
  // Runs `sql` (`statements` statements), ignoring its outcome.
  void executeQuietly(const char* sql, int statements) noexcept;
  const std::vector<std::string>& procedureBodies(const std::string& name);
  // Throws KvException with SQLite's message for the last failed call.
  [[noreturn]] void fail() const;

  sqlite3* db_ = nullptr;
  std::unordered_map<std::string, std::unique_ptr<sqlite3_stmt, Finalizer>> statements_;
  std::map<std::string, std::vector<std::string>> procedures_;
};

#endif  // TARNEL_HOST_SQLITEDATABASE_H_
