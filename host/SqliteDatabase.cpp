#include "host/SqliteDatabase.h"

#include <sys/stat.h>

#include "framework/KvException.h"

namespace {
// Statements kept for reuse; past this the cache starts again (report SQL is
// mostly the same few texts with a different instance id).
const size_t kStatementCacheLimit = 64;
const int kBusyTimeoutMs = 5000;
}  // namespace

namespace {
// Memory statistics take a global lock on every allocation, which serialises
// the workers of a batch; nothing here reads them.
void configureLibrary() {
  static const int once = [] {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return sqlite3_initialize();
  }();
  (void)once;
}
}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path) {
  configureLibrary();
  struct stat st;
  if (stat(path.c_str(), &st) != 0) throw KvException("Database not found: " + path);
  if (!S_ISREG(st.st_mode)) throw KvException("Database is not a file: " + path);
  int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw KvException("Cannot open database " + path + ": " + message);
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  sqlite3_exec(db_, "pragma temp_store = memory", nullptr, nullptr, nullptr);
  sqlite3_extended_result_codes(db_, 1);
  // Reading the schema proves the file is a database.
  try {
    execute("select count(*) from sqlite_schema");
  } catch (KvException& e) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw KvException("Cannot open database " + path + ": " + e.message());
  }
}

SqliteDatabase::~SqliteDatabase() {
  statements_.clear();
  if (db_) sqlite3_close(db_);
}

sqlite3_stmt* SqliteDatabase::prepare(const std::string& sql) {
  auto it = statements_.find(sql);
  if (it != statements_.end()) return it->second.get();
  if (statements_.size() >= kStatementCacheLimit) statements_.clear();
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) !=
      SQLITE_OK) {
    fail();
  }
  if (!statement) throw KvException("Empty SQL statement");
  statements_.emplace(sql, std::unique_ptr<sqlite3_stmt, Finalizer>(statement));
  return statement;
}

void SqliteDatabase::run(sqlite3_stmt* statement,
                         const std::function<void(sqlite3_stmt*)>& row) {
  struct Reset {
    sqlite3_stmt* s;
    ~Reset() {
      sqlite3_reset(s);
      sqlite3_clear_bindings(s);
    }
  } reset{statement};
  for (;;) {
    int rc = sqlite3_step(statement);
    if (rc == SQLITE_DONE) return;
    if (rc != SQLITE_ROW) fail();
    if (row) row(statement);
  }
}

void SqliteDatabase::execute(const std::string& sql) { run(prepare(sql), nullptr); }

RWEString SqliteDatabase::columnText(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  if (!text) return RWEString();
  return RWEString(reinterpret_cast<const char*>(text),
                   static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

RWEStringCollection SqliteDatabase::rowValues(sqlite3_stmt* statement) {
  RWEStringCollection values;
  int columns = sqlite3_column_count(statement);
  values.reserve(static_cast<size_t>(columns));
  for (int c = 0; c < columns; ++c) values.insert(columnText(statement, c));
  return values;
}

void SqliteDatabase::fail(const std::string& what) const {
  std::string message = sqlite3_errmsg(db_);
  throw KvException(what.empty() ? message : what + ": " + message);
}

SqliteDatabase::ReadTransaction::ReadTransaction(SqliteDatabase& db) : db_(db) {
  db_.execute("begin");
}

SqliteDatabase::ReadTransaction::~ReadTransaction() {
  sqlite3_exec(db_.db_, "commit", nullptr, nullptr, nullptr);
  if (!sqlite3_get_autocommit(db_.db_)) sqlite3_exec(db_.db_, "rollback", nullptr, nullptr, nullptr);
}
