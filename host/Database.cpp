#include "host/Database.h"

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

bool Database::isServerUri(const std::string& spec) {
  for (const char* scheme : kServerSchemes) {
    if (startsWith(spec, scheme)) return true;
  }
  return false;
}

std::string Database::displayName(const std::string& spec) {
  if (!isServerUri(spec)) return spec;
  size_t authority = spec.find("://") + 3;
  size_t end = spec.find_first_of("/?", authority);
  size_t at = spec.rfind('@', end == std::string::npos ? std::string::npos : end);
  std::string shown = spec;
  if (at != std::string::npos && at >= authority) {
    size_t colon = spec.find(':', authority);
    if (colon != std::string::npos && colon < at) {
      shown = spec.substr(0, colon + 1) + kHiddenPassword + spec.substr(at);
    }
  }
  return hideQueryPassword(shown);
}

std::unique_ptr<Database> Database::open(const std::string& spec) {
  if (isServerUri(spec)) return std::make_unique<PgDatabase>(spec);
  return std::make_unique<SqliteDatabase>(spec);
}

Database::ReadTransaction::ReadTransaction(Database& db) : db_(db) { db_.beginRead(); }

Database::ReadTransaction::~ReadTransaction() { db_.endRead(); }
