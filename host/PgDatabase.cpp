#include "host/PgDatabase.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <thread>
#include <vector>

#include "framework/KvException.h"
#include "host/BatchSnapshot.h"
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
// A batch's transaction: the first worker exports its snapshot, the others
// import it.
const char kExportSnapshot[] = "begin isolation level repeatable read; select pg_export_snapshot()";
const char kImportSnapshot[] = "begin isolation level repeatable read; set transaction snapshot ";
// The statements sent ahead stand in a savepoint of their own, so that one
// that fails before the run asks for it can be undone.
const char kAheadStart[] = "savepoint tnl_ahead";
const char kAheadEnd[] = "release savepoint tnl_ahead";
const char kAheadUndo[] = "rollback to savepoint tnl_ahead";
// Every so many runs that wrote, the temporary tables are emptied: rows a
// later run deletes stay in them, dead but not removable for as long as the
// batch's transaction lasts, and every run would read past all of them. The
// tables were made in this transaction, so that truncating them is done in
// place (not in a block that catches errors: that would be a subtransaction,
// and each truncation a new file and catalogue row). About 0.3 ms a table.
const int kWritingRunsBetweenEmptying = 32;
const char kEmptyTemporaryTables[] =
    "do $$ declare list text; begin "
    "select string_agg('pg_temp.' || quote_ident(relname), ', ') into list "
    "from pg_catalog.pg_class where relnamespace = pg_catalog.pg_my_temp_schema() and relkind = 'r'; "
    "if list is not null then execute 'truncate ' || list || ' cascade'; end if; end $$";
// At most this many statements are sent ahead in one pipeline.
const size_t kAheadLimit = 64;
// A lost connection is made again for this long (a restarting server), the
// first time; later runs try once each until it stands again.
const int kReconnectSeconds = 10;
const int kFirstRetryMs = 100;
const int kLongestRetryMs = 1000;

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

// Sends `text` with `values` as the prepared statement `name`, or as the
// unnamed statement when `name` is empty; whether it was sent.
bool sendStatement(PGconn* conn, const std::string& name, const std::string& text,
                   const Values& values) {
  int sent = name.empty() ? pq().sendQueryParams(conn, text.c_str(), values.count(), nullptr,
                                                 values.data(), nullptr, nullptr, 0)
                          : pq().sendQueryPrepared(conn, name.c_str(), values.count(), values.data(),
                                                   nullptr, nullptr, 0);
  return sent == 1;
}

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

// Whether a result came from the server for its statement (an error
// included), rather than standing for one skipped after an earlier error.
bool answered(const PGresult* result) {
  return result && pq().resultStatus(result) != PGRES_PIPELINE_ABORTED;
}

bool succeeded(const PGresult* result) {
  ExecStatusType status = pq().resultStatus(result);
  return result && (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK);
}
}  // namespace

PgDatabase::PgDatabase(const std::string& target) : target_(target) {
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

void PgDatabase::Clear::operator()(PGresult* result) const { pq().clear(result); }

PgDatabase::Result PgDatabase::counted(PGresult* result, int statements) {
  ++traffic_.roundTrips;
  traffic_.statements += statements;
  if (result) traffic_.rows += pq().ntuples(result);
  return Result(result);
}

void PgDatabase::check(const PGresult* result) const {
  if (!succeeded(result)) fail(result);
}

void PgDatabase::fail(const PGresult* result) const {
  const char* primary = result ? pq().resultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  std::string message = primary ? primary : trimmed(result ? pq().resultErrorMessage(result) : "");
  if (message.empty()) message = trimmed(pq().errorMessage(conn_));
  throw KvException(message);
}

PgDatabase::Plan PgDatabase::plan(const std::string& sql) {
  Plan p;
  // Savepoint statements are cheap to parse, and one must run in a failed
  // transaction, where nothing else (such as a forget) may run before it.
  for (const char* text : {kRunStart, kRunEnd, kRunUndo, kAheadStart, kAheadEnd, kAheadUndo,
                           kEmptyTemporaryTables}) {
    if (sql == text) return p;
  }
  auto it = statements_.find(sql);
  if (it != statements_.end()) {
    p.name = it->second;
  } else if (seen_.count(sql)) {
    if (statements_.size() >= kStatementCacheLimit) {
      p.forget = true;
      statements_.clear();
    }
    p.name = kStatementPrefix + std::to_string(++nextStatement_);
    p.prepare = true;
    statements_.emplace(sql, p.name);
  } else {
    if (seen_.size() >= kSeenLimit) seen_.clear();
    seen_.insert(sql);
  }
  return p;
}

PgDatabase::Result PgDatabase::run(const std::string& sql, const Parameters& parameters) {
  Plan p = plan(sql);
  std::string text = parameters.empty() ? sql : serverPlaceholders(sql);
  Values values(parameters);
  if (p.forget) check(counted(pq().exec(conn_, kForgetStatements), 1).get());
  if (p.prepare) {
    Result made =
        awaited(pq().sendPrepare(conn_, p.name.c_str(), text.c_str(), 0, nullptr) == 1, 0);
    if (!succeeded(made.get())) {
      statements_.erase(sql);
      fail(made.get());
    }
  }
  Result result = awaited(sendStatement(conn_, p.name, text, values), 1);
  check(result.get());
  return result;
}

PgDatabase::Result PgDatabase::awaited(bool sent, int statements) {
  ++traffic_.roundTrips;
  traffic_.statements += statements;
  return sent ? firstResult() : nullptr;
}

PgDatabase::Result PgDatabase::firstResult() {
  Result first(pq().getResult(conn_));
  if (first) traffic_.rows += pq().ntuples(first.get());
  while (PGresult* more = pq().getResult(conn_)) {
    traffic_.rows += pq().ntuples(more);
    pq().clear(more);
  }
  return first;
}

std::vector<PgDatabase::Result> PgDatabase::pipeline(const std::vector<const Statement*>& statements) {
  // Each step sends one protocol message that gets one result: a forget, a
  // prepare or the statement itself (`of` is the statement's position).
  enum Kind { kForget, kPrepare, kExecute };
  struct Step {
    Kind kind;
    size_t of;
  };
  std::vector<Step> steps;
  std::vector<Result> results(statements.size());
  bool queued = pq().enterPipelineMode(conn_) == 1;
  for (size_t i = 0; queued && i < statements.size(); ++i) {
    const Statement& s = *statements[i];
    Plan p = plan(s.sql);
    std::string text = s.parameters.empty() ? s.sql : serverPlaceholders(s.sql);
    Values values(s.parameters);
    if (p.forget) {
      queued = pq().sendQueryParams(conn_, kForgetStatements, 0, nullptr, nullptr, nullptr,
                                    nullptr, 0) == 1;
      if (queued) steps.push_back({kForget, i});
    }
    if (queued && p.prepare) {
      queued = pq().sendPrepare(conn_, p.name.c_str(), text.c_str(), 0, nullptr) == 1;
      if (queued) steps.push_back({kPrepare, i});
    }
    if (queued) {
      queued = sendStatement(conn_, p.name, text, values);
      if (queued) steps.push_back({kExecute, i});
    }
    if (!queued && p.prepare) statements_.erase(s.sql);
  }
  bool synced = pq().pipelineSync(conn_) == 1;
  ++traffic_.roundTrips;
  for (const Step& step : steps) {
    traffic_.statements += step.kind == kPrepare ? 0 : 1;
    Result result = synced ? firstResult() : nullptr;
    if (!result) break;  // the connection broke
    const Statement& s = *statements[step.of];
    if (step.kind == kPrepare && !succeeded(result.get())) {
      statements_.erase(s.sql);
      // The prepare's error is the statement's, as when it runs alone.
      if (answered(result.get())) results[step.of] = std::move(result);
    } else if (step.kind == kExecute && !results[step.of]) {
      results[step.of] = std::move(result);
    }
  }
  // The end of the pipeline, then out of pipeline mode.
  while (PGresult* end = synced ? pq().getResult(conn_) : nullptr) {
    bool sync = pq().resultStatus(end) == PGRES_PIPELINE_SYNC;
    pq().clear(end);
    if (sync) break;
  }
  pq().exitPipelineMode(conn_);
  return results;
}

void PgDatabase::runQuery(const std::string& sql, const Parameters& parameters,
                          const RowHandler& row) {
  Result result = inRun_ ? ask({sql, parameters, !RunPredictor::readsOnly(sql)})
                         : run(sql, parameters);
  if (row) deliverRows(result.get(), false, row);
}

void PgDatabase::fetchRows(const std::string& sql, const Parameters& parameters,
                           const RowHandler& row) {
  if (aheadFailed_) {
    // The failure sent ahead is undone first; the statement runs again when
    // the report asks for it.
    nextIndex_ = ahead_.front().index;
    dropAhead();
  }
  Result result = inRun_ ? send({sql, parameters, false}, {}, 0) : run(sql, parameters);
  if (row) deliverRows(result.get(), false, row);
}

void PgDatabase::runProcedure(const std::string& name, const Parameters& inputs,
                              const RowHandler& row) {
  if (!validProcedureName(name)) throw KvException("Not a stored procedure name: " + name);
  std::string sql = "select * from " + name + "(";
  for (size_t i = 0; i < inputs.size(); ++i) sql += (i ? ", ?" : "?") + std::to_string(i + 1);
  sql += ")";
  if (trace_) trace_->statement(withLiterals(sql, inputs));
  Result result = inRun_ ? ask({sql, inputs, true}) : run(sql, inputs);
  deliverRows(result.get(), true, row);
}

PgDatabase::Result PgDatabase::ask(const Statement& statement) {
  predictor_.sent(statement);
  wrote_ = wrote_ || statement.changesState;
  if (!ahead_.empty()) {
    Ahead& next = ahead_.front();
    if (next.statement.sql == statement.sql && next.statement.parameters == statement.parameters) {
      Result result = std::move(next.result);
      nextIndex_ = next.index + 1;
      ahead_.pop_front();
      if (!succeeded(result.get())) {
        aheadFailed_ = false;  // asked for now: the run's own failure
        aborted_ = true;
        fail(result.get());
      }
      return result;
    }
    nextIndex_ = next.index;
    dropAhead();
  }
  size_t at = aborted_ ? RunPredictor::npos : predictor_.find(statement, nextIndex_);
  if (at == RunPredictor::npos) return send(statement, {}, 0);
  std::vector<Statement> ahead = predictor_.ahead(at + 1, kAheadLimit);
  nextIndex_ = at + 1 + ahead.size();
  return send(statement, ahead, at + 1);
}

PgDatabase::Result PgDatabase::send(const Statement& statement, const std::vector<Statement>& ahead,
                                    size_t index) {
  std::vector<Statement> framing;
  for (const std::string& text : framing_) framing.push_back({text, {}, true});
  framing_.clear();
  if (inRun_ && !runSavepoint_) {
    framing.push_back({kRunStart, {}, true});
    runSavepoint_ = true;
  }
  std::vector<const Statement*> out;
  for (const Statement& s : framing) out.push_back(&s);
  const size_t head = out.size();
  out.push_back(&statement);
  const Statement aheadStart{kAheadStart, {}, true}, aheadEnd{kAheadEnd, {}, true};
  if (!ahead.empty()) {
    out.push_back(&aheadStart);
    for (const Statement& s : ahead) out.push_back(&s);
    out.push_back(&aheadEnd);
  }
  if (out.size() == 1 || !pq().pipelines()) return runAlone(framing, statement);
  std::vector<Result> results = pipeline(out);
  for (size_t i = 0; i < head; ++i) {
    // A savepoint that failed leaves the transaction failed for good.
    if (!succeeded(results[i].get())) lostTransaction_ = true;
  }
  Result result = std::move(results[head]);
  if (!answered(result.get())) {
    // Never reached the server (the connection broke, or framing failed):
    // the statement runs alone, as it would have.
    return runAlone({}, statement);
  }
  if (!succeeded(result.get())) {
    aborted_ = true;
    fail(result.get());
  }
  for (size_t i = 0; i < ahead.size(); ++i) {
    Result& r = results[head + 2 + i];
    if (!answered(r.get())) break;
    bool failed = !succeeded(r.get());
    ahead_.push_back({index + i, ahead[i], std::move(r)});
    if (failed) {
      aheadFailed_ = true;
      break;
    }
  }
  return result;
}

PgDatabase::Result PgDatabase::runAlone(const std::vector<Statement>& framing,
                                        const Statement& statement) {
  try {
    for (const Statement& s : framing) {
      lostTransaction_ = true;
      run(s.sql, s.parameters);
      lostTransaction_ = false;
    }
    return run(statement.sql, statement.parameters);
  } catch (const KvException&) {
    aborted_ = true;
    throw;
  }
}

void PgDatabase::dropAhead() {
  ahead_.clear();
  if (aheadFailed_) {
    framing_.push_back(kAheadUndo);
    framing_.push_back(kAheadEnd);
    aheadFailed_ = false;
  }
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

bool PgDatabase::alive() {
  return pq().status(conn_) == CONNECTION_OK && pq().consumeInput(conn_) == 1 &&
         pq().status(conn_) == CONNECTION_OK;
}

void PgDatabase::reconnect() {
  // What the server held for the connection went with it.
  statements_.clear();
  ahead_.clear();
  framing_.clear();
  inTransaction_ = aheadFailed_ = false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kReconnectSeconds);
  for (int wait = kFirstRetryMs;; wait = std::min(2 * wait, kLongestRetryMs)) {
    pq().reset(conn_);
    ++traffic_.roundTrips;
    if (pq().status(conn_) == CONNECTION_OK) break;
    if (!waitForServer_ || std::chrono::steady_clock::now() + std::chrono::milliseconds(wait) > deadline) {
      waitForServer_ = false;
      throw KvException("Cannot connect to database " + displayName(target_) + ": " +
                        withoutPassword(connectionMessage(pq().errorMessage(conn_)), target_));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
  }
  waitForServer_ = true;
}

void PgDatabase::beginBatchTransaction() {
  if (!batch()) {
    execute(kBegin);
    inTransaction_ = true;
    return;
  }
  BatchSnapshot& shared = *batch();
  for (;;) {
    bool exported = false;
    BatchSnapshot::Moment moment = shared.join([this, &exported] {
      Result result = counted(pq().exec(conn_, kExportSnapshot), 2);
      check(result.get());
      exported = true;
      return std::string(pq().getvalue(result.get(), 0, 0));
    });
    if (!exported) {
      std::string import = kImportSnapshot + Parameter::string(moment.id).literal();
      Result result = counted(pq().exec(conn_, import.c_str()), 2);
      if (!succeeded(result.get())) {
        // The exporting transaction is gone: the next join exports anew.
        counted(pq().exec(conn_, kRollback), 1);
        if (pq().status(conn_) != CONNECTION_OK) fail(result.get());
        shared.lost(moment.generation);
        continue;
      }
    }
    setGeneration(moment.generation);
    inTransaction_ = true;
    return;
  }
}

bool PgDatabase::startRun(int instanceId) {
  if (!alive()) reconnect();
  bool begin = !inTransaction_ || lostTransaction_ ||
               (batch() && generation() != batch()->generation());
  if (begin) {
    if (lostTransaction_) framing_.clear();
    lostTransaction_ = false;
    endBatchTransaction();
    beginBatchTransaction();
  }
  predictor_.startRun(instanceId);
  inRun_ = true;
  runSavepoint_ = aborted_ = wrote_ = false;
  nextIndex_ = 0;
  return begin;
}

bool PgDatabase::endRun() noexcept {
  inRun_ = false;
  dropAhead();
  if (runSavepoint_) {
    if (aborted_) framing_.push_back(kRunUndo);
    framing_.push_back(kRunEnd);
    if (wrote_ && ++writingRuns_ % kWritingRunsBetweenEmptying == 0) {
      framing_.push_back(kEmptyTemporaryTables);
    }
  }
  return aborted_;
}

bool PgDatabase::endBatchTransaction() noexcept {
  if (!inTransaction_) return false;
  inTransaction_ = false;
  std::string script;
  for (const std::string& text : framing_) script += text + "; ";
  counted(pq().exec(conn_, (script + kCommit).c_str()), static_cast<int>(framing_.size()) + 1);
  framing_.clear();
  return true;
}

void PgDatabase::endRead() noexcept {
  const char* end = pq().transactionStatus(conn_) == PQTRANS_INERROR ? kRollback : kCommit;
  counted(pq().exec(conn_, end), 1);
}
