#include "tests/support/InMemoryConnection.h"

#include "framework/KvException.h"
#include "framework/KvXMLQuery.h"
#include "framework/ResultDocument.h"

namespace {
RWEStringCollection collection(const std::vector<std::string>& values) {
  RWEStringCollection c;
  for (const std::string& v : values) c.insert(RWEString(v));
  return c;
}
}  // namespace

KvXMLElement* InMemoryConnection::executeQuery(const KvXMLQuery& query) {
  ResultDocument result;
  for (const KvXMLQuery::Statement& s : query.statements()) {
    std::string key = s.text.str();
    std::string record = key;
    if (s.kind == KvXMLQuery::Statement::kProcedure) {
      record = "CALL " + key + "(";
      for (size_t i = 0; i < s.arguments.size(); ++i) {
        if (i) record += ", ";
        record += s.arguments[i].input ? s.arguments[i].value.str() : "OUT " + s.arguments[i].name.str();
      }
      record += ")";
    }
    executed_.push_back(record);
    auto failure = failures_.find(key);
    if (failure != failures_.end()) throw KvException(failure->second);
    auto rows = rows_.find(key);
    if (rows != rows_.end()) {
      for (const auto& row : rows->second) result.addRow(collection(row));
    }
    auto outputs = outputs_.find(key);
    if (outputs != outputs_.end()) {
      size_t next = 0;
      for (const KvXMLQuery::Argument& a : s.arguments) {
        if (a.input || next >= outputs->second.size()) continue;
        result.addArg(a.name, outputs->second[next++]);
      }
    }
  }
  return result.release().release();
}

void InMemoryConnection::script(const std::string& sql, Rows rows) { rows_[sql] = std::move(rows); }

void InMemoryConnection::scriptOutputs(const std::string& procedure, std::vector<std::string> values) {
  outputs_[procedure] = std::move(values);
}

void InMemoryConnection::fail(const std::string& sql, const std::string& message) { failures_[sql] = message; }

void InMemoryConnection::tableHasInstanceId(const std::string& table) {
  script("select 1 from user_Tab_columns where table_name='" + table + "' and column_name='INSTANCE_ID'", {{"1"}});
}
