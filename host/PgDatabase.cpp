#include "host/PgDatabase.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "framework/KvException.h"
#include "host/LibPq.h"

namespace {
const LibPq& pq() { return LibPq::get(); }

// Texts prepared on the server, and texts remembered as seen once; past these
// the caches start again, so that memory stays flat over long batches.
const size_t kStatementCacheLimit = 64;
const size_t kSeenLimit = 4096;
// The type of a void function's result column (pg_type.oid of "void").
const Oid kVoidType = 2278;

const char kApplicationName[] = "tarnel-report";
const char kClientEncoding[] = "UTF8";
const char kConnectTimeoutSeconds[] = "10";
const char kBegin[] = "begin isolation level repeatable read";
const char kCommit[] = "commit";
const char kRollback[] = "rollback";
const char kForgetStatements[] = "deallocate all";
const char kStatementPrefix[] = "tnl_s";
const size_t kCopyChunk = 1 << 20;

std::string trimmed(std::string text) {
  while (!text.empty() && isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

// libpq's message without the indentation of its continuation lines (the
// command line indents them itself) and without empty lines.
std::string connectionMessage(const std::string& text) {
  std::string message;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = trimmed(text.substr(start, end - start));
    size_t indent = line.find_first_not_of(" \t");
    if (indent != std::string::npos) message += (message.empty() ? "" : "\n") + line.substr(indent);
    start = end + 1;
  }
  return message;
}

// `sql` with the ?1, ?2, ... of the host's texts written as $1, $2, ...
// (outside quoted literals and identifiers).
std::string serverPlaceholders(const std::string& sql) {
  std::string text = sql;
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '?' && i + 1 < text.size() && isdigit(static_cast<unsigned char>(text[i + 1]))) {
      text[i] = '$';
    }
  }
  return text;
}

// A procedure name is one or two SQL identifiers; it is pasted into the call.
bool validProcedureName(const std::string& name) {
  if (name.empty() || name.front() == '.' || name.back() == '.') return false;
  for (char c : name) {
    if (!isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') return false;
  }
  return true;
}

// The parameters as the text values libpq sends.
struct Values {
  explicit Values(const Database::Parameters& parameters) {
    texts.reserve(parameters.size());
    for (const Database::Parameter& p : parameters) {
      texts.push_back(p.isText ? p.text : std::to_string(p.number));
    }
    for (const std::string& t : texts) pointers.push_back(t.c_str());
  }
  int count() const { return static_cast<int>(pointers.size()); }
  const char* const* data() const { return pointers.empty() ? nullptr : pointers.data(); }

  std::vector<std::string> texts;
  std::vector<const char*> pointers;
};

// Hands each row of `result` to `row`; a procedure's void column is left out
// (a void function gives no rows).
void deliverRows(const PGresult* result, bool procedure, const Database::RowHandler& row) {
  std::vector<int> columns;
  for (int c = 0; c < pq().nfields(result); ++c) {
    if (!procedure || pq().ftype(result, c) != kVoidType) columns.push_back(c);
  }
  if (!row || columns.empty()) return;
  for (int r = 0; r < pq().ntuples(result); ++r) {
    RWEStringCollection values;
    values.reserve(columns.size());
    for (int c : columns) {
      values.insert(RWEString(pq().getvalue(result, r, c),
                              static_cast<size_t>(pq().getlength(result, r, c))));
    }
    row(values);
  }
}

void ignoreNotice(void*, const char*) {}
}  // namespace

PgDatabase::PgDatabase(const std::string& target) {
  // libpq knows the schemes in lower case only; they are case-insensitive.
  std::string uri = target;
  for (size_t i = 0; i < uri.find("://"); ++i) {
    uri[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(uri[i])));
  }
  // The URI comes last, so that its own settings win over these defaults.
  const char* keys[] = {"client_encoding", "fallback_application_name", "connect_timeout",
                        "dbname", nullptr};
  const char* values[] = {kClientEncoding, kApplicationName, kConnectTimeoutSeconds, uri.c_str(),
                          nullptr};
  conn_ = pq().connectdbParams(keys, values, 1);
  if (!conn_ || pq().status(conn_) != CONNECTION_OK) {
    std::string message = conn_ ? connectionMessage(pq().errorMessage(conn_)) : "out of memory";
    message = withoutPassword(message, target);
    pq().finish(conn_);
    conn_ = nullptr;
    throw KvException("Cannot connect to database " + displayName(target) + ": " + message);
  }
  // Notices ("relation already exists, skipping", ...) are not for the user.
  pq().setNoticeProcessor(conn_, ignoreNotice, nullptr);
}

PgDatabase::~PgDatabase() { pq().finish(conn_); }

PgDatabase::Result PgDatabase::counted(PGresult* result, int statements) {
  ++traffic_.roundTrips;
  traffic_.statements += statements;
  if (result) traffic_.rows += pq().ntuples(result);
  return Result(result);
}

void PgDatabase::Clear::operator()(PGresult* result) const { pq().clear(result); }

void PgDatabase::check(const PGresult* result) const {
  ExecStatusType status = pq().resultStatus(result);
  if (result && (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)) return;
  fail(result);
}

void PgDatabase::fail(const PGresult* result) const {
  const char* primary = result ? pq().resultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  std::string message = primary ? primary : trimmed(result ? pq().resultErrorMessage(result) : "");
  if (message.empty()) message = trimmed(pq().errorMessage(conn_));
  throw KvException(message);
}

PgDatabase::Result PgDatabase::prepared(const std::string& sql, const Parameters& parameters) {
  auto it = statements_.find(sql);
  if (it == statements_.end()) {
    if (statements_.size() >= kStatementCacheLimit) {
      Result forget = counted(pq().exec(conn_, kForgetStatements), 1);
      check(forget.get());
      statements_.clear();
    }
    std::string name = kStatementPrefix + std::to_string(++nextStatement_);
    std::string text = parameters.empty() ? sql : serverPlaceholders(sql);
    Result made = counted(pq().prepare(conn_, name.c_str(), text.c_str(), 0, nullptr), 0);
    check(made.get());
    it = statements_.emplace(sql, name).first;
  }
  Values values(parameters);
  return counted(pq().execPrepared(conn_, it->second.c_str(), values.count(), values.data(),
                                  nullptr, nullptr, 0),
                 1);
}

PgDatabase::Result PgDatabase::run(const std::string& sql, const Parameters& parameters) {
  Result result;
  if (statements_.count(sql) || seen_.count(sql)) {
    result = prepared(sql, parameters);
  } else {
    if (seen_.size() >= kSeenLimit) seen_.clear();
    seen_.insert(sql);
    Values values(parameters);
    std::string text = parameters.empty() ? sql : serverPlaceholders(sql);
    result = counted(pq().execParams(conn_, text.c_str(), values.count(), nullptr, values.data(),
                                     nullptr, nullptr, 0),
                     1);
  }
  check(result.get());
  return result;
}

void PgDatabase::runQuery(const std::string& sql, const Parameters& parameters,
                          const RowHandler& row) {
  Result result = run(sql, parameters);
  if (row) deliverRows(result.get(), false, row);
}

void PgDatabase::runProcedure(const std::string& name, const Parameters& inputs,
                              const RowHandler& row) {
  if (!validProcedureName(name)) throw KvException("Not a stored procedure name: " + name);
  std::string sql = "select * from " + name + "(";
  for (size_t i = 0; i < inputs.size(); ++i) sql += (i ? ", ?" : "?") + std::to_string(i + 1);
  sql += ")";
  if (trace_) trace_->statement(withLiterals(sql, inputs));
  Result result = run(sql, inputs);
  deliverRows(result.get(), true, row);
}

void PgDatabase::execute(const std::string& script) {
  Result result = counted(pq().exec(conn_, script.c_str()), 1);
  check(result.get());
}

void PgDatabase::copyIn(const std::string& copy, const std::string& data) {
  Result start(pq().exec(conn_, copy.c_str()));
  if (pq().resultStatus(start.get()) != PGRES_COPY_IN) fail(start.get());
  bool sent = true;
  for (size_t at = 0; sent && at < data.size(); at += kCopyChunk) {
    size_t size = std::min(kCopyChunk, data.size() - at);
    sent = pq().putCopyData(conn_, data.data() + at, static_cast<int>(size)) == 1;
  }
  pq().putCopyEnd(conn_, sent ? nullptr : "the rows could not be sent");
  Result end(pq().getResult(conn_));
  while (PGresult* more = pq().getResult(conn_)) pq().clear(more);
  check(end.get());
}

void PgDatabase::beginRead() { execute(kBegin); }

void PgDatabase::endRead() noexcept {
  const char* end = pq().transactionStatus(conn_) == PQTRANS_INERROR ? kRollback : kCommit;
  counted(pq().exec(conn_, end), 1);
}
