#include "host/SqliteConnection.h"

#include "framework/KvException.h"
#include "framework/KvXMLQuery.h"
#include "framework/ResultDocument.h"

namespace {

// A procedure call is all or nothing; a savepoint also nests in the read
// transaction a report run holds.
const char kBeginCall[] = "savepoint tnl_procedure_call";
const char kEndCall[] = "release tnl_procedure_call";
const char kUndoCall[] = "rollback to tnl_procedure_call; release tnl_procedure_call";
const char kProcedureBodies[] =
    "select body from tnl_procedure where package = ?1 and name = ?2 order by step";
// A snapshot of the schema's columns, read once per connection, behind the
// view the reports probe for INSTANCE_ID columns.
const char kSchemaColumns[] =
    "create temp table tnl_schema_columns as "
    "select upper(m.name) as table_name, upper(p.name) as column_name "
    "from sqlite_schema m join pragma_table_info(m.name) p "
    "where m.type in ('table', 'view')";
const char kSchemaColumnsIndex[] =
    "create index temp.tnl_schema_columns_key on tnl_schema_columns (table_name, column_name)";
const char kUserTabColumns[] =
    "create temp view user_Tab_columns as select table_name, column_name from tnl_schema_columns";

// SQL literal of a procedure argument, for the trace.
std::string literal(const KvXMLQuery::Argument& a) {
  if (a.type == "INT") return a.value.str();
  std::string text = "'";
  for (char c : a.value.str()) {
    text += c;
    if (c == '\'') text += '\'';
  }
  return text + "'";
}

// `body` with ?1, ?2, ... replaced by the literals of `inputs` (for the trace).
std::string withArguments(const std::string& body, const std::vector<std::string>& inputs) {
  std::string text;
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '?' && i + 1 < body.size() && isdigit(static_cast<unsigned char>(body[i + 1]))) {
      size_t end = i + 1;
      while (end < body.size() && isdigit(static_cast<unsigned char>(body[end]))) ++end;
      size_t n = std::stoul(body.substr(i + 1, end - i - 1));
      text += n >= 1 && n <= inputs.size() ? inputs[n - 1] : "NULL";
      i = end - 1;
    } else {
      text += body[i];
    }
  }
  return text;
}

}  // namespace

SqliteConnection::SqliteConnection(SqliteDatabase& database, SqlTrace* trace)
    : db_(database), trace_(trace) {
  db_.execute(kSchemaColumns);
  db_.execute(kSchemaColumnsIndex);
  db_.execute(kUserTabColumns);
}

KvXMLElement* SqliteConnection::executeQuery(const KvXMLQuery& query) {
  ResultDocument result;
  for (const KvXMLQuery::Statement& s : query.statements()) {
    if (s.kind == KvXMLQuery::Statement::kSql) {
      runSql(s.text, result);
    } else {
      runProcedure(s, result);
    }
  }
  return result.release().release();
}

void SqliteConnection::runSql(const RWEString& sql, ResultDocument& result) {
  if (trace_) trace_->statement(sql.str());
  db_.run(db_.prepare(sql.str()),
          [&result](sqlite3_stmt* row) { result.addRow(SqliteDatabase::rowValues(row)); });
}

const SqliteConnection::Procedure& SqliteConnection::procedure(const std::string& fullName) {
  auto it = procedures_.find(fullName);
  if (it != procedures_.end()) return it->second;
  size_t dot = fullName.rfind('.');
  std::string package = dot == std::string::npos ? "" : fullName.substr(0, dot);
  std::string name = dot == std::string::npos ? fullName : fullName.substr(dot + 1);
  Procedure p;
  sqlite3_stmt* statement = db_.prepare(kProcedureBodies);
  sqlite3_bind_text(statement, 1, package.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(statement, 2, name.c_str(), -1, SQLITE_TRANSIENT);
  db_.run(statement, [&p](sqlite3_stmt* row) {
    p.bodies.push_back(SqliteDatabase::columnText(row, 0).str());
  });
  if (p.bodies.empty()) throw KvException("Stored procedure not found: " + fullName);
  return procedures_.emplace(fullName, std::move(p)).first->second;
}

void SqliteConnection::runProcedure(const KvXMLQuery::Statement& call, ResultDocument& result) {
  const Procedure& p = procedure(call.text.str());
  std::vector<const KvXMLQuery::Argument*> inputs;
  std::vector<std::string> literals;
  std::vector<RWEString> outputNames;
  for (const KvXMLQuery::Argument& a : call.arguments) {
    if (a.input) {
      inputs.push_back(&a);
      literals.push_back(literal(a));
    } else {
      outputNames.push_back(a.name);
    }
  }
  if (trace_) trace_->comment("call " + call.text.str());
  db_.execute(kBeginCall);
  try {
    std::vector<RWEStringCollection> lastRows;
    for (const std::string& body : p.bodies) {
      if (trace_) trace_->statement(withArguments(body, literals));
      sqlite3_stmt* statement = db_.prepare(body);
      int parameters = sqlite3_bind_parameter_count(statement);
      for (int i = 0; i < parameters && static_cast<size_t>(i) < inputs.size(); ++i) {
        const KvXMLQuery::Argument& a = *inputs[static_cast<size_t>(i)];
        if (a.type == "INT") {
          sqlite3_bind_int64(statement, i + 1, std::atoll(a.value.data()));
        } else {
          sqlite3_bind_text(statement, i + 1, a.value.data(), static_cast<int>(a.value.length()),
                            SQLITE_TRANSIENT);
        }
      }
      lastRows.clear();
      db_.run(statement, [&lastRows](sqlite3_stmt* row) {
        lastRows.push_back(SqliteDatabase::rowValues(row));
      });
    }
    db_.execute(kEndCall);
    if (outputNames.empty()) {
      for (RWEStringCollection& row : lastRows) result.addRow(std::move(row));
      return;
    }
    for (size_t i = 0; i < outputNames.size(); ++i) {
      result.addArg(outputNames[i], lastRows.empty() ? RWEString() : lastRows[0].getString(static_cast<int>(i)));
    }
  } catch (KvException& e) {
    sqlite3_exec(db_.handle(), kUndoCall, nullptr, nullptr, nullptr);
    e.context("Calling stored procedure " + call.text);
    throw;
  }
}
