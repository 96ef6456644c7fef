#include "host/PgNetworkLoader.h"

#include <sqlite3.h>

#include <cctype>
#include <memory>
#include <vector>

#include "framework/KvException.h"
#include "host/PgDatabase.h"
#include "host/ScriptFolder.h"

namespace {

const char kBegin[] = "begin";
const char kCommit[] = "commit";
const char kAnalyze[] = "analyze";
// Two loads into one database wait for each other (any number will do, as
// long as it is always the same).
const char kLoadLock[] = "select pg_advisory_xact_lock(7310042)";
const char kTables[] =
    "select name from sqlite_schema where type = 'table' and name not like 'sqlite_%' "
    "order by name";
const char kColumns[] = "select name, type, \"notnull\", pk from pragma_table_info(?1) order by cid";
const char kIndexes[] =
    "select name, \"unique\" from pragma_index_list(?1) where origin in ('c', 'u') order by name";
const char kIndexColumns[] = "select cid, name from pragma_index_info(?1) order by seqno";
const char kProcedures[] = "select distinct package, name from tnl_procedure order by 1, 2";
const char kProcedureTable[] = "tnl_procedure";
const char kFunctionExists[] =
    "select 1 from pg_proc p join pg_namespace n on n.oid = p.pronamespace "
    "where n.nspname = lower(?1) and p.proname = lower(?2)";

// A SQLite file opened read-only, with one-statement helpers.
class SqliteFile {
 public:
  explicit SqliteFile(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw KvException("Cannot open " + path + ": " + message);
    }
  }
  ~SqliteFile() { sqlite3_close(db_); }
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;

  // Calls `row` with each result row of `sql` (its ?1 bound to `text`).
  template <typename Row>
  void each(const std::string& sql, const std::string& text, Row row) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) fail();
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(s, sqlite3_finalize);
    if (!text.empty()) sqlite3_bind_text(s, 1, text.c_str(), -1, SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) row(s);
    if (rc != SQLITE_DONE) fail();
  }

 private:
  [[noreturn]] void fail() const { throw KvException(sqlite3_errmsg(db_)); }
  sqlite3* db_ = nullptr;
};

std::string text(sqlite3_stmt* s, int column) {
  const unsigned char* t = sqlite3_column_text(s, column);
  return t ? std::string(reinterpret_cast<const char*>(t),
                         static_cast<size_t>(sqlite3_column_bytes(s, column)))
           : std::string();
}

std::string lower(std::string name) {
  for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return name;
}

std::string quoted(const std::string& name) {
  std::string text = "\"";
  for (char c : name) {
    text += c;
    if (c == '"') text += '"';
  }
  return text + "\"";
}

// A name as a PostgreSQL identifier: lower case, so that the unquoted names
// of report SQL find it, and quoted.
std::string identifier(const std::string& name) { return quoted(lower(name)); }

bool contains(const std::string& type, const char* part) {
  return type.find(part) != std::string::npos;
}

// The PostgreSQL type of a column of SQLite's declared `type`, by SQLite's
// affinity rules. REAL becomes numeric: it keeps SQLite's text of a value
// ("40.0" stays "40.0", where a double would print "40").
std::string columnType(const std::string& declared) {
  std::string type;
  for (char c : declared) type += static_cast<char>(toupper(static_cast<unsigned char>(c)));
  if (contains(type, "INT")) return "bigint";
  if (contains(type, "CHAR") || contains(type, "CLOB") || contains(type, "TEXT")) return "text";
  if (type.empty() || contains(type, "BLOB")) return "text";
  return "numeric";
}

// One value in COPY's text format.
void appendCopyValue(std::string& data, sqlite3_stmt* s, int column) {
  if (sqlite3_column_type(s, column) == SQLITE_NULL) {
    data += "\\N";
    return;
  }
  for (char c : text(s, column)) {
    switch (c) {
      case '\\': data += "\\\\"; break;
      case '\t': data += "\\t"; break;
      case '\n': data += "\\n"; break;
      case '\r': data += "\\r"; break;
      default: data += c;
    }
  }
}

struct Column {
  std::string name, type;
  bool notNull;
  int keyPosition;
};

class Copier {
 public:
  Copier(SqliteFile& from, PgDatabase& to) : from_(from), to_(to) {}

  void copyTable(const std::string& table) {
    std::vector<Column> columns = columnsOf(table);
    to_.execute("drop table if exists " + identifier(table) + " cascade");
    to_.execute(createTable(table, columns));
    copyRows(table, columns);
    copyIndexes(table);
  }

 private:
  std::vector<Column> columnsOf(const std::string& table) {
    std::vector<Column> columns;
    from_.each(kColumns, table, [&columns](sqlite3_stmt* s) {
      columns.push_back({text(s, 0), text(s, 1), sqlite3_column_int(s, 2) != 0,
                         sqlite3_column_int(s, 3)});
    });
    return columns;
  }

  static std::string createTable(const std::string& table, const std::vector<Column>& columns) {
    std::string sql = "create table " + identifier(table) + " (";
    std::vector<std::string> key;
    for (const Column& c : columns) {
      if (c.keyPosition > 0) {
        if (key.size() < static_cast<size_t>(c.keyPosition)) key.resize(c.keyPosition);
        key[c.keyPosition - 1] = identifier(c.name);
      }
      sql += (&c == &columns.front() ? "" : ", ") + identifier(c.name) + " " + columnType(c.type) +
             (c.notNull ? " not null" : "");
    }
    if (!key.empty()) {
      sql += ", primary key (";
      for (size_t i = 0; i < key.size(); ++i) sql += (i ? ", " : "") + key[i];
      sql += ")";
    }
    return sql + ")";
  }

  // The rows in the file's order, so that rows read back without an order
  // come in the same order on both databases.
  void copyRows(const std::string& table, const std::vector<Column>& columns) {
    std::string names;
    for (const Column& c : columns) names += (names.empty() ? "" : ", ") + identifier(c.name);
    std::string data;
    from_.each("select * from " + quoted(table), "", [&data](sqlite3_stmt* s) {
      for (int c = 0; c < sqlite3_column_count(s); ++c) {
        if (c) data += '\t';
        appendCopyValue(data, s, c);
      }
      data += '\n';
    });
    if (!data.empty()) to_.copyIn("copy " + identifier(table) + " (" + names + ") from stdin", data);
  }

  void copyIndexes(const std::string& table) {
    std::vector<std::pair<std::string, bool>> indexes;
    from_.each(kIndexes, table, [&indexes](sqlite3_stmt* s) {
      indexes.emplace_back(text(s, 0), sqlite3_column_int(s, 1) != 0);
    });
    int unnamed = 0;
    for (const auto& index : indexes) {
      std::string columns;
      bool onColumns = true;
      from_.each(kIndexColumns, index.first, [&](sqlite3_stmt* s) {
        onColumns = onColumns && sqlite3_column_int(s, 0) >= 0;
        columns += (columns.empty() ? "" : ", ") + identifier(text(s, 1));
      });
      if (!onColumns) throw KvException("Index " + index.first + " is on an expression");
      // SQLite's own names of UNIQUE constraints are not for PostgreSQL.
      std::string name = index.first.compare(0, 7, "sqlite_") == 0
                             ? table + "_unique_" + std::to_string(++unnamed)
                             : index.first;
      to_.execute(std::string("create ") + (index.second ? "unique " : "") + "index " +
                  identifier(name) + " on " + identifier(table) + " (" + columns + ")");
    }
  }

  SqliteFile& from_;
  PgDatabase& to_;
};

void runScripts(PgDatabase& db, const std::string& folder) {
  for (const std::string& path : ScriptFolder::scripts(folder)) {
    try {
      db.execute(ScriptFolder::read(path));
    } catch (KvException& e) {
      throw KvException(path + ": " + e.message());
    }
  }
}

// Every procedure the file defines must have its function on the server.
void checkProcedures(SqliteFile& file, PgDatabase& db, const std::vector<std::string>& tables,
                     const std::string& folder) {
  bool defined = false;
  for (const std::string& t : tables) defined = defined || t == kProcedureTable;
  if (!defined) return;
  file.each(kProcedures, "", [&](sqlite3_stmt* s) {
    std::string package = text(s, 0), name = text(s, 1);
    bool found = false;
    db.query(kFunctionExists, {Database::Parameter::string(package), Database::Parameter::string(name)},
             [&found](RWEStringCollection&) { found = true; });
    if (!found) {
      throw KvException("Stored procedure " + package + "." + name +
                        " has no PostgreSQL function (scripts in " + folder + ")");
    }
  });
}

}  // namespace

void PgNetworkLoader::load(const std::string& sqlitePath, const std::string& uri,
                           const std::string& scriptFolder) {
  SqliteFile file(sqlitePath);
  std::vector<std::string> tables;
  file.each(kTables, "", [&tables](sqlite3_stmt* s) { tables.push_back(text(s, 0)); });
  PgDatabase db(uri);
  db.execute(kBegin);
  db.execute(kLoadLock);
  Copier copier(file, db);
  for (const std::string& table : tables) {
    try {
      copier.copyTable(table);
    } catch (KvException& e) {
      throw KvException("Copying table " + table + ": " + e.message());
    }
  }
  runScripts(db, scriptFolder);
  checkProcedures(file, db, tables, scriptFolder);
  db.execute(kCommit);
  db.execute(kAnalyze);
}
