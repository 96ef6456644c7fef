#include "host/SqliteDatabase.h"

#include <sys/stat.h>

#include <cctype>

#include "framework/KvException.h"

namespace {
// Statements kept for reuse; past this the cache starts again (report SQL is
// mostly the same few texts with a different instance id).
const size_t kStatementCacheLimit = 64;
const int kBusyTimeoutMs = 5000;

const char kCheckSchema[] = "select count(*) from sqlite_schema";
const char kBegin[] = "begin";
const char kCommit[] = "commit";
const char kRollback[] = "rollback";
// A procedure call is all or nothing; a savepoint also nests in the read
// transaction a report run holds.
const char kBeginCall[] = "savepoint tnl_procedure_call";
const char kEndCall[] = "release tnl_procedure_call";
const char kUndoCall[] = "rollback to tnl_procedure_call; release tnl_procedure_call";
const char kProcedureBodies[] =
    "select body from tnl_procedure where package = ?1 and name = ?2 order by step";
// The connection's set-up, run when it opens and written at the top of an
// SQL trace, so that a replay reads as the runs read (each text may run
// again). TEMP tables in memory. SQLite's own page cache, 512 KiB: enough for
// the b-tree pages every run walks, while the leaves a run reads once come
// from the system's file cache (its default, 2 MiB, fills up over a long
// batch on a large network, so that memory grew with the network's size at no
// gain in speed). A snapshot of the schema's columns, read once per
// connection, behind the view the reports probe for INSTANCE_ID columns.
const std::vector<std::string> kSetUp = {
    "pragma temp_store = memory",
    "pragma cache_size = -512",
    "create temp table if not exists tnl_schema_columns as "
    "select upper(m.name) as table_name, upper(p.name) as column_name "
    "from sqlite_schema m join pragma_table_info(m.name) p "
    "where m.type in ('table', 'view')",
    "create index if not exists temp.tnl_schema_columns_key on tnl_schema_columns (table_name, column_name)",
    "create temp view if not exists user_Tab_columns as select table_name, column_name from tnl_schema_columns",
};

// Memory statistics take a global lock on every allocation, which serialises
// the workers of a batch; nothing here reads them.
void configureLibrary() {
  static const int once = [] {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return sqlite3_initialize();
  }();
  (void)once;
}

RWEString columnText(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  if (!text) return RWEString();
  return RWEString(reinterpret_cast<const char*>(text),
                   static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

RWEStringCollection rowValues(sqlite3_stmt* statement) {
  RWEStringCollection values;
  int columns = sqlite3_column_count(statement);
  values.reserve(static_cast<size_t>(columns));
  for (int c = 0; c < columns; ++c) values.insert(columnText(statement, c));
  return values;
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path) {
  configureLibrary();
  struct stat st;
  if (stat(path.c_str(), &st) != 0) throw KvException("Database not found: " + displayName(path));
  if (!S_ISREG(st.st_mode)) throw KvException("Database is not a file: " + displayName(path));
  int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw KvException("Cannot open database " + displayName(path) + ": " + withoutPassword(message, path));
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  sqlite3_extended_result_codes(db_, 1);
  // Reading the schema proves the file is a database.
  try {
    execute(kCheckSchema);
    for (const std::string& sql : kSetUp) execute(sql);
  } catch (KvException& e) {
    statements_.clear();
    sqlite3_close(db_);
    db_ = nullptr;
    throw KvException("Cannot open database " + displayName(path) + ": " + withoutPassword(e.message().str(), path));
  }
}

void SqliteDatabase::setTrace(SqlTrace* trace) {
  Database::setTrace(trace);
  if (trace) trace->setUp(kSetUp);
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

void SqliteDatabase::bind(sqlite3_stmt* statement, const Parameters& parameters) {
  int count = sqlite3_bind_parameter_count(statement);
  for (int i = 0; i < count && static_cast<size_t>(i) < parameters.size(); ++i) {
    const Parameter& p = parameters[static_cast<size_t>(i)];
    if (p.isText) {
      sqlite3_bind_text(statement, i + 1, p.text.data(), static_cast<int>(p.text.size()),
                        SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_int64(statement, i + 1, p.number);
    }
  }
}

void SqliteDatabase::run(sqlite3_stmt* statement, const Parameters& parameters,
                         const RowHandler& row) {
  if (!parameters.empty()) bind(statement, parameters);
  struct Reset {
    sqlite3_stmt* s;
    ~Reset() {
      sqlite3_reset(s);
      sqlite3_clear_bindings(s);
    }
  } reset{statement};
  ++traffic_.statements;
  ++traffic_.roundTrips;
  for (;;) {
    int rc = sqlite3_step(statement);
    if (rc == SQLITE_DONE) return;
    if (rc != SQLITE_ROW) fail();
    ++traffic_.rows;
    if (row) {
      RWEStringCollection values = rowValues(statement);
      row(values);
    }
  }
}

void SqliteDatabase::execute(const std::string& sql) { run(prepare(sql), {}, nullptr); }

void SqliteDatabase::runQuery(const std::string& sql, const Parameters& parameters,
                              const RowHandler& row) {
  run(prepare(sql), parameters, row);
}

const std::vector<std::string>& SqliteDatabase::procedureBodies(const std::string& name) {
  auto it = procedures_.find(name);
  if (it != procedures_.end()) return it->second;
  size_t dot = name.rfind('.');
  std::string package = dot == std::string::npos ? "" : name.substr(0, dot);
  std::string procedure = dot == std::string::npos ? name : name.substr(dot + 1);
  std::vector<std::string> bodies;
  runQuery(kProcedureBodies, {Parameter::string(package), Parameter::string(procedure)},
           [&bodies](RWEStringCollection& row) { bodies.push_back(row[0].str()); });
  if (bodies.empty()) throw KvException("Stored procedure not found: " + name);
  return procedures_.emplace(name, std::move(bodies)).first->second;
}

void SqliteDatabase::runProcedure(const std::string& name, const Parameters& inputs,
                                  const RowHandler& row) {
  const std::vector<std::string>& bodies = procedureBodies(name);
  execute(kBeginCall);
  try {
    std::vector<RWEStringCollection> lastRows;
    for (const std::string& body : bodies) {
      lastRows.clear();
      traced(body, inputs, [&lastRows](RWEStringCollection& values) {
        lastRows.push_back(std::move(values));
      });
    }
    execute(kEndCall);
    if (row) {
      for (RWEStringCollection& values : lastRows) row(values);
    }
  } catch (KvException&) {
    executeQuietly(kUndoCall, 2);
    throw;
  }
}

void SqliteDatabase::executeQuietly(const char* sql, int statements) noexcept {
  traffic_.statements += statements;
  traffic_.roundTrips += statements;
  sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

void SqliteDatabase::fail() const { throw KvException(sqlite3_errmsg(db_)); }

void SqliteDatabase::beginRead() { execute(kBegin); }

void SqliteDatabase::endRead() noexcept {
  executeQuietly(kCommit, 1);
  if (!sqlite3_get_autocommit(db_)) executeQuietly(kRollback, 1);
}

bool SqliteDatabase::startRun(int) {
  bool begin = sqlite3_get_autocommit(db_);
  if (begin) execute(kBegin);
  execute(kRunStart);
  return begin;
}

bool SqliteDatabase::endRun() noexcept {
  // SQLite may have rolled the whole transaction back itself (a full disk).
  if (!sqlite3_get_autocommit(db_)) executeQuietly(kRunEnd, 1);
  return false;
}

bool SqliteDatabase::endBatchTransaction() noexcept {
  if (sqlite3_get_autocommit(db_)) return false;
  endRead();
  return true;
}
