// The connection over each database: the same behaviours on a SQLite file and
// on the PostgreSQL server of TARNEL_PG_URI (skipped without one, unless
// TARNEL_REQUIRE_POSTGRES or CI is set). Each test gets the table t and the
// procedures pg_temp.stage, pg_temp.outs and pg_temp.fail: on SQLite as rows
// of tnl_procedure, on PostgreSQL as temporary functions of its session.
#include "host/DatabaseConnection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "framework/KvException.h"
#include "framework/KvXMLElement.h"
#include "host/PgDatabase.h"
#include "host/SqliteDatabase.h"

namespace {

const char kServerVariable[] = "TARNEL_PG_URI";
const char* const kRequired[] = {"TARNEL_REQUIRE_POSTGRES", "CI"};

const char kSqliteNetwork[] = R"(
create table t (id integer primary key, name text, note text);
insert into t values (1, 'a|b', null), (2, 'plain', 'x'), (3, 'O''Hara', '');
create table tnl_procedure (package text, name text, step integer, body text);
insert into tnl_procedure values
 ('pg_temp', 'stage', 1, 'create temp table if not exists staged (id integer, name text)'),
 ('pg_temp', 'stage', 2, 'delete from staged'),
 ('pg_temp', 'stage', 3, 'insert into staged select id, name from t where id = ?1'),
 ('pg_temp', 'outs', 1, 'select name, note from t where id = ?1'),
 ('pg_temp', 'fail', 1, 'create temp table if not exists staged (id integer, name text)'),
 ('pg_temp', 'fail', 2, 'delete from staged'),
 ('pg_temp', 'fail', 3, 'insert into staged select id, name from t where id = ?1'),
 ('pg_temp', 'fail', 4, 'select * from nope');
)";

const char kServerNetwork[] = R"(
create temp table t (id bigint primary key, name text, note text);
insert into t values (1, 'a|b', null), (2, 'plain', 'x'), (3, 'O''Hara', '');
create temp table staged (id bigint, name text);
create function pg_temp.stage(p bigint) returns void language plpgsql as $$
begin
  delete from pg_temp.staged;
  insert into pg_temp.staged select t.id, t.name from pg_temp.t where t.id = p;
end $$;
create function pg_temp.outs(p bigint, out name text, out note text) language plpgsql as $$
begin
  select t.name, t.note into name, note from pg_temp.t where t.id = p;
end $$;
create function pg_temp.fail(p bigint) returns void language plpgsql as $$
begin
  delete from pg_temp.staged;
  insert into pg_temp.staged select t.id, t.name from pg_temp.t where t.id = p;
  perform * from nope;
end $$;
)";

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

struct Backend {
  const char* name;
  const char* missingTableMessage;
};

void PrintTo(const Backend& backend, std::ostream* os) { *os << backend.name; }

class DatabaseConnectionTest : public testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    if (std::string(GetParam().name) == "sqlite") {
      openSqlite();
    } else {
      openServer();
    }
    if (db_) connection_ = std::make_unique<DatabaseConnection>(*db_, nullptr);
  }

  void TearDown() override {
    connection_.reset();
    db_.reset();
    if (!file_.empty()) unlink(file_.c_str());
  }

  void openSqlite() {
    char name[] = "/tmp/tarnel-host-test-XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    file_ = name;
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(name, &raw), SQLITE_OK);
    int rc = sqlite3_exec(raw, kSqliteNetwork, nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    ASSERT_EQ(rc, SQLITE_OK);
    db_ = std::make_unique<SqliteDatabase>(file_);
  }

  void openServer() {
    std::string uri = variable(kServerVariable);
    if (uri.empty()) {
      for (const char* required : kRequired) {
        if (!variable(required).empty()) FAIL() << kServerVariable << " is not set";
      }
      GTEST_SKIP() << "No PostgreSQL server (" << kServerVariable << " is not set)";
    }
    auto server = std::make_unique<PgDatabase>(uri);
    server->execute(kServerNetwork);
    db_ = std::move(server);
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
  std::string file_;
};

TEST_P(DatabaseConnectionTest, RowsKeepValuesWithTheSeparatorAndReadNullAsEmpty) {
  KvXMLQuery query('|', KvXMLQueryBuilder::_QUERY, KvXMLQuery::_DB);
  query.addSql("select name, note, id from t where id = 1", RWEString());
  std::unique_ptr<KvXMLElement> result(connection_->executeQuery(query));
  RWOrdered found = result->getNamedElements("DATASET.ROW");
  ASSERT_EQ(found.entries(), 1u);
  RWEStringCollection* values = found(0)->rowValues();
  ASSERT_NE(values, nullptr);
  ASSERT_EQ(values->entries(), 3u);
  EXPECT_EQ((*values)[0], "a|b");
  EXPECT_EQ((*values)[1], "");
  EXPECT_EQ((*values)[2], "1");
}

TEST_P(DatabaseConnectionTest, ParametersAreBoundInOrderAndNotInsideLiterals) {
  EXPECT_EQ(rows("select id, name from t where id > ?1 and name <> ?2 and note <> '?1' order by id",
                 {Database::Parameter::integer(1), Database::Parameter::string("plain")}),
            (std::vector<std::string>{"3/O'Hara"}));
}

TEST_P(DatabaseConnectionTest, ATextRunAgainGivesTheRowsOfItsNewParameters) {
  const std::string sql = "select name from t where id = ?1";
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(rows(sql, {Database::Parameter::integer(2)}), (std::vector<std::string>{"plain"}));
    EXPECT_EQ(rows(sql, {Database::Parameter::integer(3)}), (std::vector<std::string>{"O'Hara"}));
    EXPECT_EQ(rows(sql, {Database::Parameter::integer(9)}), (std::vector<std::string>{}));
  }
}

TEST_P(DatabaseConnectionTest, TextsThatDifferOnlyInTheirComparedNumbersGiveTheirOwnRows) {
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(rows("select name from t where id = 2"), (std::vector<std::string>{"plain"}));
    EXPECT_EQ(rows("select name from t where id =3"), (std::vector<std::string>{"O'Hara"}));
  }
  EXPECT_EQ(rows("select id from t where name = 'id = 2' or id = 1 order by 1"),
            (std::vector<std::string>{"1"}));
  EXPECT_EQ(rows("select count(*) from t where 1 = 1 and id * 1.0 = 2.0"),
            (std::vector<std::string>{"1"}));
  EXPECT_EQ(rows("select count(*) from t where id <= 2 and name <> 'x'"),
            (std::vector<std::string>{"2"}));
}

TEST_P(DatabaseConnectionTest, OutputArgumentsComeFromTheProceduresRowInOrder) {
  std::unique_ptr<KvXMLElement> result = call("pg_temp.outs", 2, 2);
  RWOrdered args = result->getNamedElements("DATASET.ARG");
  ASSERT_EQ(args.entries(), 2u);
  EXPECT_EQ(args(0)->attribute("Name"), "first");
  EXPECT_EQ(args(0)->attribute("Value"), "plain");
  EXPECT_EQ(args(1)->attribute("Name"), "second");
  EXPECT_EQ(args(1)->attribute("Value"), "x");
  EXPECT_EQ(result->getNamedElements("DATASET.ROW").entries(), 0u);
}

TEST_P(DatabaseConnectionTest, OutputArgumentsOfAnInstanceWithoutDataAreEmpty) {
  std::unique_ptr<KvXMLElement> result = call("pg_temp.outs", 9, 2);
  RWOrdered args = result->getNamedElements("DATASET.ARG");
  ASSERT_EQ(args.entries(), 2u);
  EXPECT_EQ(args(0)->attribute("Value"), "");
  EXPECT_EQ(args(1)->attribute("Value"), "");
}

TEST_P(DatabaseConnectionTest, AStagingProcedureGivesNoRowsAndFillsItsTable) {
  EXPECT_EQ(call("pg_temp.stage", 3, 0)->getNamedElements("DATASET.ROW").entries(), 0u);
  EXPECT_EQ(rows("select id, name from staged"), (std::vector<std::string>{"3/O'Hara"}));
  call("pg_temp.stage", 2, 0);
  EXPECT_EQ(rows("select id, name from staged"), (std::vector<std::string>{"2/plain"}));
}

TEST_P(DatabaseConnectionTest, AFailedCallLeavesTheStagedRowsAsTheyWere) {
  call("pg_temp.stage", 3, 0);
  {
    Database::ReadTransaction run(*db_);
    EXPECT_THROW(call("pg_temp.fail", 2, 0), KvException);
  }
  EXPECT_EQ(rows("select id, name from staged"), (std::vector<std::string>{"3/O'Hara"}));
}

TEST_P(DatabaseConnectionTest, AFailingStatementThrowsTheDatabasesMessage) {
  try {
    rows("select * from nope");
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ(e.message(), GetParam().missingTableMessage);
  }
}

TEST_P(DatabaseConnectionTest, AFailingCallNamesTheProcedure) {
  try {
    call("pg_temp.fail", 2, 0);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ(e.message(), GetParam().missingTableMessage);
    ASSERT_EQ(e.contexts().size(), 1u);
    EXPECT_EQ(e.contexts()[0], "Calling stored procedure pg_temp.fail");
  }
}

INSTANTIATE_TEST_SUITE_P(Databases, DatabaseConnectionTest,
                         testing::Values(Backend{"sqlite", "no such table: nope"},
                                         Backend{"postgres", "relation \"nope\" does not exist"}),
                         [](const testing::TestParamInfo<Backend>& info) {
                           return std::string(info.param.name);
                         });

TEST(PgDatabase, ACallOfAnUnsafeNameIsRefusedBeforeItRuns) {
  std::string uri = variable(kServerVariable);
  if (uri.empty()) GTEST_SKIP() << "No PostgreSQL server";
  PgDatabase db(uri);
  try {
    db.callProcedure("pg_temp.x(); drop table t; --", {}, nullptr, nullptr);
    FAIL() << "no exception";
  } catch (const KvException& e) {
    EXPECT_EQ(e.message(), "Not a stored procedure name: pg_temp.x(); drop table t; --");
  }
}

}  // namespace
