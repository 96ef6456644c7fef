#include "host/RunPredictor.h"

#include <gtest/gtest.h>

namespace {

typedef RunPredictor::Statement Statement;
typedef Database::Parameter P;

Statement read(const std::string& sql, Database::Parameters parameters) { return {sql, std::move(parameters), false}; }
Statement call(const std::string& sql, Database::Parameters parameters) { return {sql, std::move(parameters), true}; }

// The predicted statements as "sql(parameters)" texts.
std::vector<std::string> texts(const std::vector<Statement>& list) {
  std::vector<std::string> out;
  for (const Statement& s : list) out.push_back(Database::withLiterals(s.sql, s.parameters));
  return out;
}

TEST(RunPredictor, ReadsOnlyAreSingleSelectsThatWriteNothing) {
  const std::pair<const char*, bool> cases[] = {
      {"select a from t where id = ?1", true},
      {"SELECT a FROM t WHERE name = 'insert into x'", true},
      {"select created, updated_at from t", true},
      {"select * into pg_temp.x from t", false},
      {"select a from t for update", false},
      {"select nextval('s')", false},
      {"select 1; delete from t", false},
      {"with d as (delete from t returning *) select * from d", false},
      {"delete from pg_temp.stage", false},
      {"create temp table x (a int)", false},
  };
  for (const auto& c : cases) EXPECT_EQ(RunPredictor::readsOnly(c.first), c.second) << c.first;
}

// The run of instance 7 predicts the run of instance 8: the parameters that
// were 7 become 8, others stay; a prediction stops before a call.
TEST(RunPredictor, ThePreviousRunWithTheNewIdPredictsUpToTheNextCall) {
  RunPredictor p;
  p.startRun(7);
  const Statement script[] = {read("select a from t where id = ?1", {P::integer(7)}),
                              read("select b from u where id = ?1 and k = ?2", {P::integer(7), P::integer(1)}),
                              read("select c from v where name = ?1", {P::string("7")}),
                              call("select * from pkg.stage(?1)", {P::integer(7)}),
                              read("select d from pg_temp.staged", {})};
  for (const Statement& s : script) p.sent(s);
  p.startRun(8);
  EXPECT_EQ(p.find(read("select a from t where id = ?1", {P::integer(7)}), 0), RunPredictor::npos);
  ASSERT_EQ(p.find(read("select a from t where id = ?1", {P::integer(8)}), 0), 0u);
  EXPECT_EQ(texts(p.ahead(1, 64)), (std::vector<std::string>{"select b from u where id = 8 and k = 1",
                                                             "select c from v where name = '7'"}));
  EXPECT_EQ(texts(p.ahead(1, 1)), (std::vector<std::string>{"select b from u where id = 8 and k = 1"}));
  ASSERT_EQ(p.find(call("select * from pkg.stage(?1)", {P::integer(8)}), 1), 3u);
  EXPECT_EQ(texts(p.ahead(4, 64)), (std::vector<std::string>{"select d from pg_temp.staged"}));
  // Looking from past a statement finds it before.
  EXPECT_EQ(p.find(read("select a from t where id = ?1", {P::integer(8)}), 4), 0u);
  EXPECT_EQ(p.find(read("select z from t", {}), 0), RunPredictor::npos);
}

// A report whose statements depend on what it read follows a few scripts:
// a statement of an older script makes that script the prediction.
TEST(RunPredictor, AStatementOfAnotherKeptScriptSwitchesToIt) {
  RunPredictor p;
  const char* first = "select series from cell where id = ?1";
  const char* branches[][2] = {{"select a1 from t where id = ?1", "select a2 from t where id = ?1"},
                               {"select b1 from t where id = ?1", "select b2 from t where id = ?1"}};
  for (int run = 0; run < 3; ++run) {
    p.startRun(run);
    p.sent(read(first, {P::integer(run)}));
    for (const char* sql : branches[run % 2]) p.sent(read(sql, {P::integer(run)}));
  }
  p.startRun(10);  // the last run took branch 0, the one before branch 1
  ASSERT_EQ(p.find(read(first, {P::integer(10)}), 0), 0u);
  EXPECT_EQ(texts(p.ahead(1, 64)), (std::vector<std::string>{"select a1 from t where id = 10",
                                                             "select a2 from t where id = 10"}));
  ASSERT_EQ(p.find(read(branches[1][0], {P::integer(10)}), 1), 1u);
  EXPECT_EQ(texts(p.ahead(2, 64)), (std::vector<std::string>{"select b2 from t where id = 10"}));
}

}  // namespace
