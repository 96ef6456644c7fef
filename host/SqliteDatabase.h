// SqliteDatabase: one connection to a SQLite network database, opened
// read-only (TEMP tables stay writable), with prepared statements kept per SQL
// text for reuse. Every SQLite error is thrown as KvException carrying
// SQLite's message. One object per thread; not copyable.
#ifndef TARNEL_HOST_SQLITEDATABASE_H_
#define TARNEL_HOST_SQLITEDATABASE_H_

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "framework/RWEStringCollection.h"

class SqliteDatabase {
 public:
  // Opens `path` read-only. Throws KvException when the file is missing,
  // is not a SQLite database, or cannot be read.
  explicit SqliteDatabase(const std::string& path);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // A prepared statement for `sql`, reset and unbound, owned by the cache.
  sqlite3_stmt* prepare(const std::string& sql);
  // Steps `statement` to the end, calling `row` for each result row; resets
  // it afterwards, also on failure. Throws KvException on an SQLite error.
  void run(sqlite3_stmt* statement, const std::function<void(sqlite3_stmt*)>& row);
  // Runs `sql` (no parameters), ignoring any rows.
  void execute(const std::string& sql);
  // The column values of the current row of `statement` (NULL reads as "").
  static RWEStringCollection rowValues(sqlite3_stmt* statement);
  static RWEString columnText(sqlite3_stmt* statement, int column);

  // Holds one read transaction for its life, so that everything a report run
  // reads comes from one snapshot and the file is locked once, not per
  // statement. Ends it with a commit (or a rollback during an exception).
  class ReadTransaction {
   public:
    explicit ReadTransaction(SqliteDatabase& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

   private:
    SqliteDatabase& db_;
  };

  // Throws KvException with SQLite's message for the last failed call.
  [[noreturn]] void fail(const std::string& what = "") const;

  sqlite3* handle() const { return db_; }

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
  };
  sqlite3* db_ = nullptr;
  std::unordered_map<std::string, std::unique_ptr<sqlite3_stmt, Finalizer>> statements_;
};

#endif  // TARNEL_HOST_SQLITEDATABASE_H_
