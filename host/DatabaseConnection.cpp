#include "host/DatabaseConnection.h"

#include <cstdlib>
#include <vector>

#include "framework/KvException.h"

namespace {
const char kIntegerArgument[] = "INT";
const char kCallContext[] = "Calling stored procedure ";
}  // namespace

DatabaseConnection::DatabaseConnection(Database& database) : db_(database) {}

KvXMLElement* DatabaseConnection::executeQuery(const KvXMLQuery& query) {
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

void DatabaseConnection::runSql(const RWEString& sql, ResultDocument& result) {
  db_.query(sql.str(), Database::Parameters(),
            [&result](RWEStringCollection& row) { result.addRow(std::move(row)); });
}

void DatabaseConnection::runProcedure(const KvXMLQuery::Statement& call, ResultDocument& result) {
  Database::Parameters inputs;
  std::vector<RWEString> outputNames;
  for (const KvXMLQuery::Argument& a : call.arguments) {
    if (!a.input) {
      outputNames.push_back(a.name);
    } else if (a.type == kIntegerArgument) {
      inputs.push_back(Database::Parameter::integer(std::atoll(a.value.data())));
    } else {
      inputs.push_back(Database::Parameter::string(a.value.str()));
    }
  }
  std::vector<RWEStringCollection> rows;
  try {
    db_.callProcedure(call.text.str(), inputs,
                      [&rows](RWEStringCollection& row) { rows.push_back(std::move(row)); });
  } catch (KvException& e) {
    e.context(kCallContext + call.text);
    throw;
  }
  if (outputNames.empty()) {
    for (RWEStringCollection& row : rows) result.addRow(std::move(row));
    return;
  }
  for (size_t i = 0; i < outputNames.size(); ++i) {
    result.addArg(outputNames[i],
                  rows.empty() ? RWEString() : rows[0].getString(static_cast<int>(i)));
  }
}
