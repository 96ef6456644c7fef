// The connection over each database: the same behaviours on a SQLite file and
// on the PostgreSQL server of TARNEL_PG_URI (skipped without one, unless
// TARNEL_REQUIRE_POSTGRES or CI is set). Each test gets the table t and the
// procedures pg_temp.outs and pg_temp.fail: on SQLite as rows of
// tnl_procedure, on PostgreSQL as temporary functions of its session.
#include "host/DatabaseConnection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "framework/KvException.h"
#include "framework/KvXMLElement.h"
#include "host/SqliteDatabase.h"
#include "tests/support/Requirements.h"
#include "tests/support/Thrown.h"
#ifdef TARNEL_POSTGRES
#include "host/PgDatabase.h"
#endif

namespace {

const char kServerVariable[] = "TARNEL_PG_URI";

const char kSqliteNetwork[] = R"(
create table t (id integer primary key, name text, note text);
insert into t values (1, 'a|b', null), (2, 'plain', 'x'), (3, 'O''Hara', '');
create table tnl_procedure (package text, name text, step integer, body text);
insert into tnl_procedure values
 ('pg_temp', 'outs', 1, 'select name, note from t where id = ?1'),
 ('pg_temp', 'fail', 1, 'delete from staged'),
 ('pg_temp', 'fail', 2, 'insert into staged select id, name from t where id = ?1'),
 ('pg_temp', 'fail', 3, 'select * from nope');
)";

const char kServerNetwork[] = R"(
create temp table t (id bigint primary key, name text, note text);
insert into t values (1, 'a|b', null), (2, 'plain', 'x'), (3, 'O''Hara', '');
create function pg_temp.outs(p bigint, out name text, out note text) language plpgsql as $$
begin select t.name, t.note into name, note from pg_temp.t where t.id = p; end $$;
create function pg_temp.fail(p bigint) returns void language plpgsql as $$
begin
  delete from pg_temp.staged;
  insert into pg_temp.staged select t.id, t.name from pg_temp.t where t.id = p;
  perform * from nope;
end $$;
)";

class DatabaseConnectionTest : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string uri = environment(kServerVariable);
    if (GetParam() == "sqlite") {
      char name[] = "/tmp/tarnel-host-test-XXXXXX";
      close(mkstemp(name));
      sqlite3* raw = nullptr;
      ASSERT_EQ(sqlite3_open(name, &raw), SQLITE_OK);
      int rc = sqlite3_exec(raw, kSqliteNetwork, nullptr, nullptr, nullptr);
      sqlite3_close(raw);
      db_ = std::make_unique<SqliteDatabase>(name);
      unlink(name);  // the open database stays readable
      ASSERT_EQ(rc, SQLITE_OK);
    } else if (!uri.empty()) {
#ifdef TARNEL_POSTGRES
      auto server = std::make_unique<PgDatabase>(uri);
      server->execute(kServerNetwork);
      db_ = std::move(server);
#else
      GTEST_SKIP() << "Built without PostgreSQL support";
#endif
    } else {
      SKIP_OR_FAIL_WITHOUT("No PostgreSQL server (TARNEL_PG_URI is not set)", "TARNEL_REQUIRE_POSTGRES");
    }
    connection_ = std::make_unique<DatabaseConnection>(*db_);
  }

  // The rows of `sql`, each row's values joined by '/'.
  std::vector<std::string> rows(const std::string& sql, const Database::Parameters& p = {}) {
    std::vector<std::string> list;
    db_->query(sql, p, [&list](RWEStringCollection& row) {
      std::string text;
      for (const RWEString& v : row) text += (text.empty() ? "" : "/") + v.str();
      list.push_back(text);
    });
    return list;
  }

  // The result of calling `name`(id) with `outputs` output arguments.
  std::unique_ptr<KvXMLElement> call(const char* name, int id, int outputs) {
    KvXMLQuery query('|', KvXMLQueryBuilder::_QUERY, KvXMLQuery::_DB);
    query.startProcedure(name);
    query.addProcedureArg("INT", RWEString(id, RWEString::formatInt), KvXMLQuery::_EMPTY, true);
    for (int i = 0; i < outputs; ++i) {
      query.addProcedureArg("STRING", RWEString(), i ? "second" : "first", false);
    }
    query.endNode();
    return std::unique_ptr<KvXMLElement>(connection_->executeQuery(query));
  }

  std::unique_ptr<Database> db_;
  std::unique_ptr<DatabaseConnection> connection_;
};

// Parameters bind in order and never inside literals; a text run again gives
// the rows of its new parameters; texts that differ only in a compared number
// give their own rows; NULL reads as empty.
TEST_P(DatabaseConnectionTest, QueriesGiveTheRowsOfTheirTextAndParameters) {
  using P = Database::Parameter;
  const struct {
    std::string sql;
    Database::Parameters parameters;
    std::vector<std::string> rows;
  } cases[] = {
      {"select name, note, id from t where id = 1", {}, {"a|b//1"}},
      {"select id, name from t where id > ?1 and name <> ?2 and note <> '?1' order by id",
       {P::integer(1), P::string("plain")}, {"3/O'Hara"}},
      {"select name from t where id = ?1", {P::integer(2)}, {"plain"}},
      {"select name from t where id = ?1", {P::integer(3)}, {"O'Hara"}},
      {"select name from t where id = ?1", {P::integer(9)}, {}},
      {"select name from t where id = 2", {}, {"plain"}},
      {"select name from t where id =3", {}, {"O'Hara"}},
      {"select id from t where name = 'id = 2' or id = 1 order by 1", {}, {"1"}},
      {"select count(*) from t where 1 = 1 and id * 1.0 = 2.0", {}, {"1"}},
      {"select count(*) from t where id <= 2 and name <> 'x'", {}, {"2"}},
  };
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) EXPECT_EQ(rows(c.sql, c.parameters), c.rows) << c.sql;
  }
}

// Output arguments take the values of the procedure's row in order, empty
// without a row (instance 9); the call itself gives no rows.
TEST_P(DatabaseConnectionTest, OutputArgumentsComeFromTheProceduresRowInOrder) {
  for (const auto& c : {std::make_pair(2, "first=plain second=x"), std::make_pair(9, "first= second=")}) {
    std::unique_ptr<KvXMLElement> result = call("pg_temp.outs", c.first, 2);
    EXPECT_EQ(result->getNamedElements("DATASET.ROW").entries(), 0u);
    RWOrdered found = result->getNamedElements("DATASET.ARG");
    std::string args;
    for (size_t i = 0; i < found.entries(); ++i) {
      args += (i ? " " : "") + found(i)->attribute("Name").str() + "=" + found(i)->attribute("Value").str();
    }
    EXPECT_EQ(args, c.second);
  }
}

TEST_P(DatabaseConnectionTest, AFailedCallLeavesTheStagedRowsAsTheyWere) {
  rows("create temp table staged (id bigint, name text)");
  rows("insert into staged values (3, 'O''Hara')");
  {
    Database::ReadTransaction run(*db_);
    EXPECT_THROW(call("pg_temp.fail", 2, 0), KvException);
  }
  EXPECT_EQ(rows("select id, name from staged"), (std::vector<std::string>{"3/O'Hara"}));
}

INSTANTIATE_TEST_SUITE_P(Databases, DatabaseConnectionTest, testing::Values("sqlite", "postgres"),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

#ifdef TARNEL_POSTGRES
TEST(PgDatabase, ACallOfAnUnsafeNameIsRefusedBeforeItRuns) {
  if (environment(kServerVariable).empty()) GTEST_SKIP() << "No PostgreSQL server";
  PgDatabase db(environment(kServerVariable));
  EXPECT_EQ(thrown([&] { db.callProcedure("pg_temp.x(); drop table t; --", {}, nullptr); }),
            "Not a stored procedure name: pg_temp.x(); drop table t; --");
}
#endif

}  // namespace
