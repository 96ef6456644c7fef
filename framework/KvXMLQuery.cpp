#include "framework/KvXMLQuery.h"

#include "framework/KvException.h"

const RWEString KvXMLQueryBuilder::_QUERY("QUERY");
const RWEString KvXMLQuery::_DB("DB");
const RWEString KvXMLQuery::_EMPTY;

void KvXMLQueryBuilder::endNode() {
  if (openNodes_ > 0) --openNodes_;
}

KvXMLQuery::KvXMLQuery(char separator, const RWEString& root, const RWEString& database)
    : KvXMLQueryBuilder(root), separator_(separator), database_(database) {}

void KvXMLQuery::addSql(const RWEString& sql, const RWEString& name) {
  statements_.push_back(Statement{Statement::kSql, sql, name, {}});
}

void KvXMLQuery::startProcedure(const RWEString& name) {
  statements_.push_back(Statement{Statement::kProcedure, name, RWEString(), {}});
  ++openNodes_;
}

void KvXMLQuery::addProcedureArg(const RWEString& type, const RWEString& value,
                                 const RWEString& name, bool input) {
  if (openNodes_ == 0 || statements_.back().kind != Statement::kProcedure) {
    throw KvException("Procedure argument given outside a procedure call: " + name);
  }
  statements_.back().arguments.push_back(Argument{type, value, name, input});
}
