// DatabaseConnection: the reports' query connection over a Database (SQLite
// or PostgreSQL). Runs the SQL statements and stored-procedure calls of a
// query document in order and returns the result document: rows with their
// values intact (NULL as ""), and a call's output arguments as DATASET.ARG,
// taken in order from the first row the procedure gives.
#ifndef TARNEL_HOST_DATABASECONNECTION_H_
#define TARNEL_HOST_DATABASECONNECTION_H_

#include "framework/KvXMLQuery.h"
#include "framework/ResultDocument.h"
#include "framework/XMLQueryInterface.h"
#include "host/Database.h"

class DatabaseConnection : public XMLQueryInterface {
 public:
  // `database` must outlive the connection.
  explicit DatabaseConnection(Database& database);

  // Runs every statement of `query` in order. Throws KvException with the
  // database's message when one fails, and for an unknown procedure (with
  // the context "Calling stored procedure <name>").
  KvXMLElement* executeQuery(const KvXMLQuery& query) override;

 private:
  void runSql(const RWEString& sql, ResultDocument& result);
  void runProcedure(const KvXMLQuery::Statement& call, ResultDocument& result);

  Database& db_;
};

#endif  // TARNEL_HOST_DATABASECONNECTION_H_
