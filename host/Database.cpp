#include "host/Database.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "framework/KvException.h"
#include "host/BatchSnapshot.h"
#include "host/SnapshotCache.h"
#include "host/SqliteDatabase.h"
#ifdef TARNEL_POSTGRES
#include "host/PgDatabase.h"
#endif

namespace {
const char* const kServerSchemes[] = {"postgresql://", "postgres://"};
const char kHiddenPassword[] = "***";
// How a run's read transaction shows in the trace, the same on every database.
const char kBeginText[] = "begin";
const char kCommitText[] = "commit";
[[maybe_unused]] const char kNoServerSupport[] =
    "this tarnel-report is built without PostgreSQL support (cmake -DTARNEL_POSTGRES=OFF)";

// URI schemes are case-insensitive: POSTGRESQL:// names a server too.
bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// Replaces the value of every "password=" query parameter of `uri`.
std::string hideQueryPassword(std::string uri) {
  size_t query = uri.find('?');
  while (query != std::string::npos) {
    size_t key = query + 1;
    if (startsWithNoCase(uri.substr(key, 9), "password=")) {
      size_t end = uri.find('&', key);
      uri.replace(key + 9, (end == std::string::npos ? uri.size() : end) - key - 9,
                  kHiddenPassword);
    }
    query = uri.find('&', key);
  }
  return uri;
}

// The span of the value of a libpq "password = value" setting in `text`
// (keyword/value connection strings, which a mistyped --db may hold); the
// value is a word or a quoted text. {npos, 0} when there is none.
std::pair<size_t, size_t> keywordPassword(const std::string& text) {
  for (size_t key = 0; key + 8 <= text.size(); ++key) {
    if (!startsWithNoCase(text.substr(key, 8), "password")) continue;
    if (key > 0 && !std::isspace(static_cast<unsigned char>(text[key - 1]))) continue;
    size_t equals = text.find_first_not_of(" \t", key + 8);
    if (equals == std::string::npos || text[equals] != '=') continue;
    size_t value = text.find_first_not_of(" \t", equals + 1);
    if (value == std::string::npos) return {text.size(), 0};
    size_t end = text[value] == '\'' ? text.find('\'', value + 1) : text.find_first_of(" \t", value);
    end = end == std::string::npos ? text.size() : end + (text[value] == '\'' ? 1 : 0);
    return {value, end - value};
  }
  return {std::string::npos, 0};
}

std::string hideKeywordPassword(std::string text) {
  std::pair<size_t, size_t> value = keywordPassword(text);
  if (value.first != std::string::npos) text.replace(value.first, value.second, kHiddenPassword);
  return text;
}

#ifndef TARNEL_POSTGRES
[[noreturn]] void refuseServer(const std::string& shown) {
  throw KvException("Cannot connect to database " + shown + ": " + kNoServerSupport);
}
#endif

// The characters numbersAsParameters looks at: quotes, placeholders, comment
// starts and "=".
struct SpecialCharacters {
  bool is[256] = {};
  SpecialCharacters() {
    for (unsigned char c : std::string("'\"`[:?$@-/=")) is[c] = true;
  }
};

// The position of the first such character in sql[from, ...), or its size.
size_t nextSpecial(const std::string& sql, size_t from) {
  static const SpecialCharacters special;
  while (from < sql.size() && !special.is[static_cast<unsigned char>(sql[from])]) ++from;
  return from;
}
}  // namespace

Database::Parameter Database::Parameter::integer(long long n) {
  Parameter p;
  p.number = n;
  return p;
}

Database::Parameter Database::Parameter::string(const std::string& s) {
  Parameter p;
  p.isText = true;
  p.text = s;
  return p;
}

std::string Database::Parameter::literal() const {
  if (!isText) return std::to_string(number);
  std::string quoted = "'";
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

const char Database::kRunStart[] = "savepoint tnl_run";
const char Database::kRunEnd[] = "release savepoint tnl_run";
const char Database::kRunUndo[] = "rollback to savepoint tnl_run";

Database::Traffic& Database::Traffic::operator+=(const Traffic& other) {
  asked += other.asked;
  fromMemory += other.fromMemory;
  statements += other.statements;
  roundTrips += other.roundTrips;
  rows += other.rows;
  return *this;
}

bool Database::isServerUri(const std::string& target) {
  for (const char* scheme : kServerSchemes) {
    if (startsWithNoCase(target, scheme)) return true;
  }
  return false;
}

// Any target that looks like a URI (a server's, or a mistyped one taken for a
// file name) is shown without the password of its user information or query.
std::string Database::displayName(const std::string& target) {
  if (target.find("://") == std::string::npos) return hideKeywordPassword(target);
  size_t authority = target.find("://") + 3;
  size_t end = target.find_first_of("/?", authority);
  size_t at = target.rfind('@', end == std::string::npos ? std::string::npos : end);
  std::string shown = target;
  if (at != std::string::npos && at >= authority) {
    size_t colon = target.find(':', authority);
    if (colon != std::string::npos && colon < at) {
      shown = target.substr(0, colon + 1) + kHiddenPassword + target.substr(at);
    }
  }
  return hideQueryPassword(shown);
}

std::string Database::withoutPassword(std::string text, const std::string& target) {
  std::vector<std::string> secrets;
  size_t scheme = target.find("://");
  if (scheme != std::string::npos) {
    size_t authority = scheme + 3;
    size_t end = target.find_first_of("/?", authority);
    size_t at = target.rfind('@', end == std::string::npos ? std::string::npos : end);
    size_t colon = target.find(':', authority);
    if (at != std::string::npos && at >= authority && colon != std::string::npos && colon < at) {
      secrets.push_back(target.substr(colon + 1, at - colon - 1));
    }
  }
  for (size_t key = target.find('?'); key != std::string::npos; key = target.find('&', key + 1)) {
    if (startsWithNoCase(target.substr(key + 1, 9), "password=")) {
      size_t end = target.find('&', key + 1);
      secrets.push_back(target.substr(key + 10, end == std::string::npos ? std::string::npos
                                                                          : end - key - 10));
    }
  }
  std::pair<size_t, size_t> keyword = keywordPassword(target);
  if (keyword.first != std::string::npos) secrets.push_back(target.substr(keyword.first, keyword.second));
  for (const std::string& secret : secrets) {
    if (secret.empty()) continue;
    for (size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + sizeof kHiddenPassword - 1)) {
      text.replace(at, secret.size(), kHiddenPassword);
    }
  }
  return text;
}

void Database::requireServerSupport(const std::string& target) {
#ifndef TARNEL_POSTGRES
  refuseServer(displayName(target));
#else
  (void)target;
#endif
}

std::unique_ptr<Database> Database::open(const std::string& target) {
  if (!isServerUri(target)) return std::make_unique<SqliteDatabase>(target);
#ifdef TARNEL_POSTGRES
  return std::make_unique<PgDatabase>(target);
#else
  refuseServer(displayName(target));
#endif
}

std::string Database::numbersAsParameters(const std::string& sql, Parameters& parameters) {
  const size_t size = sql.size();
  const size_t first = parameters.size();
  std::string text;
  size_t copied = 0;  // sql[0, copied) is in text
  for (size_t i = nextSpecial(sql, 0); i < size; i = nextSpecial(sql, i + 1)) {
    char c = sql[i];
    char next = i + 1 < size ? sql[i + 1] : 0;
    if (c == '\'' || c == '"' || c == '`' || c == '[') {
      i = sql.find(c == '[' ? ']' : c, i + 1);  // skip the quoted text
      if (i == std::string::npos) break;
    } else if (c == ':' && next == ':') {
      ++i;  // a PostgreSQL cast, not a parameter
    } else if (c == ':' || c == '?' || c == '$' || c == '@' || (c == '-' && next == '-') ||
               (c == '/' && next == '*')) {
      parameters.resize(first);  // a placeholder or a comment of its own
      return sql;
    } else if (c == '=') {
      size_t start = i + 1;
      while (start < size && sql[start] == ' ') ++start;
      size_t end = start;
      while (end < size && isdigit(static_cast<unsigned char>(sql[end]))) ++end;
      bool number = end > start && end - start < 19 &&
                    (end == size || (!isalnum(static_cast<unsigned char>(sql[end])) &&
                                     sql[end] != '.' && sql[end] != '_'));
      if (!number) continue;
      if (text.empty()) text.reserve(size + 16);
      parameters.push_back(Parameter::integer(std::stoll(sql.substr(start, end - start))));
      text.append(sql, copied, i + 1 - copied);
      text += " ?" + std::to_string(parameters.size());
      copied = end;
      i = end - 1;
    }
  }
  if (copied == 0) return sql;
  text.append(sql, copied, std::string::npos);
  return text;
}

std::string Database::withLiterals(const std::string& sql, const Parameters& parameters) {
  std::string text;
  char quote = 0;
  for (size_t i = 0; i < sql.size(); ++i) {
    char c = sql[i];
    bool placeholder = !quote && c == '?' && i + 1 < sql.size() &&
                       isdigit(static_cast<unsigned char>(sql[i + 1]));
    if (!placeholder) {
      if (quote && c == quote) {
        quote = 0;
      } else if (!quote && (c == '\'' || c == '"')) {
        quote = c;
      }
      text += c;
      continue;
    }
    size_t end = i + 1;
    while (end < sql.size() && isdigit(static_cast<unsigned char>(sql[end]))) ++end;
    size_t n = std::stoul(sql.substr(i + 1, std::min<size_t>(end - i - 1, 9)));
    text += n >= 1 && n <= parameters.size() ? parameters[n - 1].literal() : "NULL";
    i = end - 1;
  }
  return text;
}

void Database::query(const std::string& sql, const Parameters& parameters,
                     const RowHandler& row) {
  ++traffic_.asked;
  traced(sql, parameters, row);
}

void Database::traced(const std::string& sql, const Parameters& parameters,
                      const RowHandler& row) {
  if (!parameters.empty()) {
    if (trace_) trace_->statement(withLiterals(sql, parameters));
    if (!fromCache(sql, parameters, row)) runQuery(sql, parameters, row);
    return;
  }
  if (trace_) trace_->statement(sql);
  Parameters numbers;
  std::string text = numbersAsParameters(sql, numbers);
  if (!fromCache(text, numbers, row)) runQuery(text, numbers, row);
}

bool Database::fromCache(const std::string& sql, const Parameters& parameters,
                         const RowHandler& row) {
  if (!cache_) return false;
  SnapshotCache::Answer answer = cache_->answer(
      sql, parameters, generation_, row,
      [this](const std::string& text, const Parameters& values, const RowHandler& handler) {
        fetchRows(text, values, handler);
      });
  if (answer == SnapshotCache::kFromMemory) ++traffic_.fromMemory;
  return answer != SnapshotCache::kNotMine;
}

void Database::callProcedure(const std::string& name, const Parameters& inputs,
                             const RowHandler& row) {
  ++traffic_.asked;
  if (trace_) trace_->comment("call " + name);
  runProcedure(name, inputs, row);
}

void Database::joinBatch(BatchSnapshot& batch) {
  batch_ = &batch;
  cache_ = &batch.cache();
}

void Database::endBatch() noexcept {
  if (endBatchTransaction() && trace_) trace_->statement(kCommitText);
}

Database::BatchRun::BatchRun(Database& db, int instanceId) : db_(db) {
  bool began = db_.startRun(instanceId);
  if (db_.trace_) {
    if (began) db_.trace_->statement(kBeginText);
    db_.trace_->statement(kRunStart);
  }
}

Database::BatchRun::~BatchRun() {
  bool undone = db_.endRun();
  if (db_.trace_) {
    if (undone) db_.trace_->statement(kRunUndo);
    db_.trace_->statement(kRunEnd);
  }
}

Database::ReadTransaction::ReadTransaction(Database& db) : db_(db) {
  db_.beginRead();
  if (db_.trace_) db_.trace_->statement(kBeginText);
}

Database::ReadTransaction::~ReadTransaction() {
  if (db_.trace_) db_.trace_->statement(kCommitText);
  db_.endRead();
}
