#include "host/RunPredictor.h"

#include <cctype>
#include <functional>

namespace {
// Words that make a select change something: a table written by SELECT INTO,
// a data-modifying WITH, a locking read, a sequence advanced.
const char* const kWritingWords[] = {"into",   "insert", "update",  "delete", "create", "drop",
                                     "alter",  "truncate", "lock",  "nextval", "setval", "copy"};
const char kSelect[] = "select";
// The scripts kept: enough for the branches of a report (a cell's series
// picks one of a few field lists), few enough to search in a moment.
const size_t kKeptScripts = 16;

// The words of `sql` outside quoted literals and identifiers, in lower case.
std::vector<std::string> words(const std::string& sql) {
  std::vector<std::string> list;
  std::string word;
  char quote = 0;
  for (char c : sql) {
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '\'' || c == '"') quote = c;
    if (isalnum(static_cast<unsigned char>(c)) || c == '_') {
      word += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    } else if (!word.empty()) {
      list.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) list.push_back(word);
  return list;
}
}  // namespace

bool RunPredictor::readsOnly(const std::string& sql) {
  if (sql.find(';') != std::string::npos) return false;
  std::vector<std::string> list = words(sql);
  if (list.empty() || list.front() != kSelect) return false;
  for (const std::string& word : list) {
    for (const char* writing : kWritingWords) {
      if (word == writing) return false;
    }
  }
  return true;
}

void RunPredictor::startRun(long long instanceId) {
  if (!current_.statements.empty()) {
    for (size_t i = 0; i < kept_.size(); ++i) {
      if (sameScript(kept_[i], current_)) {
        kept_.erase(kept_.begin() + static_cast<long>(i));
        break;
      }
    }
    if (kept_.size() >= kKeptScripts) kept_.pop_back();
    kept_.insert(kept_.begin(), std::move(current_));
  }
  current_ = Script();
  predicted_ = 0;
  instance_ = instanceId;
}

void RunPredictor::sent(const Statement& statement) {
  Recorded recorded{statement, std::vector<bool>(statement.parameters.size())};
  size_t hash = std::hash<std::string>()(statement.sql);
  for (size_t i = 0; i < statement.parameters.size(); ++i) {
    const Database::Parameter& p = statement.parameters[i];
    recorded.isInstance[i] = !p.isText && p.number == instance_;
    size_t value = recorded.isInstance[i] ? 1 : std::hash<std::string>()(p.literal());
    hash = hash * 31 + value;
  }
  current_.hash = current_.hash * 131 + hash;
  current_.statements.push_back(std::move(recorded));
}

bool RunPredictor::sameScript(const Script& a, const Script& b) {
  if (a.hash != b.hash || a.statements.size() != b.statements.size()) return false;
  for (size_t i = 0; i < a.statements.size(); ++i) {
    const Recorded& x = a.statements[i];
    const Recorded& y = b.statements[i];
    if (x.statement.sql != y.statement.sql || x.isInstance != y.isInstance) return false;
    for (size_t p = 0; p < x.isInstance.size(); ++p) {
      if (!x.isInstance[p] && !(x.statement.parameters[p] == y.statement.parameters[p])) {
        return false;
      }
    }
  }
  return true;
}

bool RunPredictor::matches(const Recorded& recorded, const Statement& statement) const {
  const Database::Parameters& mine = recorded.statement.parameters;
  if (recorded.statement.sql != statement.sql || mine.size() != statement.parameters.size()) {
    return false;
  }
  for (size_t i = 0; i < mine.size(); ++i) {
    const Database::Parameter& asked = statement.parameters[i];
    bool same = recorded.isInstance[i] ? !asked.isText && asked.number == instance_
                                       : mine[i] == asked;
    if (!same) return false;
  }
  return true;
}

size_t RunPredictor::findIn(const Script& script, const Statement& statement, size_t from,
                            size_t to) const {
  for (size_t i = from; i < to && i < script.statements.size(); ++i) {
    if (matches(script.statements[i], statement)) return i;
  }
  return npos;
}

size_t RunPredictor::find(const Statement& statement, size_t from) {
  if (kept_.empty()) return npos;
  const Script& predicted = kept_[predicted_];
  size_t at = findIn(predicted, statement, from, predicted.statements.size());
  if (at == npos) at = findIn(predicted, statement, 0, from);
  for (size_t k = 0; at == npos && k < kept_.size(); ++k) {
    if (k == predicted_) continue;
    at = findIn(kept_[k], statement, 0, kept_[k].statements.size());
    if (at != npos) predicted_ = k;
  }
  return at;
}

std::vector<RunPredictor::Statement> RunPredictor::ahead(size_t from, size_t limit) const {
  std::vector<Statement> list;
  if (kept_.empty()) return list;
  const std::vector<Recorded>& script = kept_[predicted_].statements;
  for (size_t i = from; i < script.size() && list.size() < limit; ++i) {
    const Recorded& recorded = script[i];
    if (recorded.statement.changesState) break;
    Statement predicted = recorded.statement;
    for (size_t p = 0; p < predicted.parameters.size(); ++p) {
      if (recorded.isInstance[p]) predicted.parameters[p].number = instance_;
    }
    list.push_back(std::move(predicted));
  }
  return list;
}
