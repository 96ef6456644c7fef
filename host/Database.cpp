#include "host/Database.h"

#include <cctype>

#include "host/PgDatabase.h"
#include "host/SqliteDatabase.h"

namespace {
const char* const kServerSchemes[] = {"postgresql://", "postgres://"};
const char kHiddenPassword[] = "***";

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Replaces the value of every "password=" query parameter of `uri`.
std::string hideQueryPassword(std::string uri) {
  size_t query = uri.find('?');
  while (query != std::string::npos) {
    size_t key = query + 1;
    if (uri.compare(key, 9, "password=") == 0) {
      size_t end = uri.find('&', key);
      uri.replace(key + 9, (end == std::string::npos ? uri.size() : end) - key - 9,
                  kHiddenPassword);
    }
    query = uri.find('&', key);
  }
  return uri;
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

bool Database::isServerUri(const std::string& target) {
  for (const char* scheme : kServerSchemes) {
    if (startsWith(target, scheme)) return true;
  }
  return false;
}

std::string Database::displayName(const std::string& target) {
  if (!isServerUri(target)) return target;
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

std::unique_ptr<Database> Database::open(const std::string& target) {
  if (isServerUri(target)) return std::make_unique<PgDatabase>(target);
  return std::make_unique<SqliteDatabase>(target);
}

std::string Database::numbersAsParameters(const std::string& sql, Parameters& parameters) {
  if (sql.find_first_of("?$:@") != std::string::npos || sql.find("--") != std::string::npos ||
      sql.find("/*") != std::string::npos) {
    return sql;
  }
  std::string text;
  char quote = 0;
  for (size_t i = 0; i < sql.size(); ++i) {
    char c = sql[i];
    text += c;
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '\'' || c == '"' || c == '`') quote = c;
    if (c == '[') quote = ']';
    if (c != '=') continue;
    size_t start = sql.find_first_not_of(' ', i + 1);
    size_t end = start;
    while (end < sql.size() && isdigit(static_cast<unsigned char>(sql[end]))) ++end;
    bool number = end > start && end - start < 19 &&
                  (end == sql.size() || (!isalnum(static_cast<unsigned char>(sql[end])) &&
                                         sql[end] != '.' && sql[end] != '_'));
    if (!number) continue;
    parameters.push_back(Parameter::integer(std::stoll(sql.substr(start, end - start))));
    text += " ?" + std::to_string(parameters.size());
    i = end - 1;
  }
  return text;
}

Database::ReadTransaction::ReadTransaction(Database& db) : db_(db) { db_.beginRead(); }

Database::ReadTransaction::~ReadTransaction() { db_.endRead(); }
