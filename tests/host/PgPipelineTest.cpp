// Batch runs on the PostgreSQL server of TARNEL_PG_URI (skipped without one,
// unless TARNEL_REQUIRE_POSTGRES or CI is set): what a run sent ahead in a
// pipeline serves it exactly as its statements run alone would, whether the
// run follows the prediction, leaves it at any step or meets a failing
// statement, and the run after is served as ever (a lost connection:
// tests/e2e/postgres_e2e_test.cpp). Each connection has the temporary table
// t of ids 1 to 4.
#ifdef TARNEL_POSTGRES
#include <gtest/gtest.h>

#include <memory>

#include "framework/KvException.h"
#include "host/BatchSnapshot.h"
#include "host/PgDatabase.h"
#include "tests/support/Requirements.h"

namespace {

const char kServerVariable[] = "TARNEL_PG_URI";
const char kTable[] =
    "create temp table t (id bigint primary key, v text);"
    "insert into t values (1, 'a'), (2, 'b'), (3, 'c'), (4, 'd')";

// A run's statements, each with the instance id as ?1.
const std::vector<std::string> kScript = {
    "select v from t where id = ?1",
    "select count(*) from t where id <= ?1",
    "select v || '!' from t where id = ?1",
    "select id from t where id > ?1 order by id",
};
const char kOther[] = "select id * 10 from t where id = ?1";
// Divides by zero for instance 3 only.
const char kFailsForThree[] = "select 10 / (id - 3) from t where id = ?1";

// A connection of a batch of its own, with the table t.
struct Worker {
  BatchSnapshot batch;
  std::unique_ptr<PgDatabase> db;

  Worker() : db(new PgDatabase(environment(kServerVariable))) {
    db->execute(kTable);
    db->joinBatch(batch);
  }
  ~Worker() { db->endBatch(); }

  // Runs `statements` as the run of `instance`; per statement its rows, or
  // "error: " and the message.
  std::vector<std::string> run(int instance, const std::vector<std::string>& statements) {
    std::vector<std::string> seen;
    Database::BatchRun scope(*db, instance);
    for (const std::string& sql : statements) {
      std::string rows;
      try {
        db->query(sql, {Database::Parameter::integer(instance)},
                  [&rows](RWEStringCollection& row) { rows += row[0].str() + ";"; });
      } catch (const KvException& e) {
        rows = "error: " + e.message().str();
      }
      seen.push_back(rows);
    }
    return seen;
  }
  long long roundTrips() const { return db->traffic().roundTrips; }
};

class PgPipeline : public testing::Test {
 protected:
  void SetUp() override {
    SKIP_OR_FAIL_WITHOUT(environment(kServerVariable).empty() ? "No PostgreSQL server (TARNEL_PG_URI is not set)" : "",
                         "TARNEL_REQUIRE_POSTGRES");
  }
};

// `script` with statement k replaced by `sql` (k past the end: as it is).
std::vector<std::string> replacedAt(std::vector<std::string> script, size_t k, const std::string& sql) {
  if (k < script.size()) script[k] = sql;
  return script;
}

// Run 2 learns the script, run 3 leaves it at each step in turn: what it
// gets is what a connection without a prediction gets, in the round trips
// the prediction allows. Run 4 follows run 2's script again: predicted from
// run 3's, it finds run 2's when it leaves run 3's.
TEST_F(PgPipeline, ARunThatLeavesThePredictionAtAnyStepGetsWhatItWouldAlone) {
  for (size_t k = 0; k <= kScript.size(); ++k) {
    SCOPED_TRACE("leaves at " + std::to_string(k));
    std::vector<std::string> asked = replacedAt(kScript, k, kOther);
    std::vector<std::string> alone = Worker().run(3, asked);
    Worker w;
    w.run(2, kScript);
    long long before = w.roundTrips();
    EXPECT_EQ(w.run(3, asked), alone);
    // One pipeline; leaving it costs the unpredicted statement and a new
    // pipeline for the rest (none after the last).
    long long expected = k == kScript.size() ? 1 : k == 0 || k + 1 == kScript.size() ? 2 : 3;
    EXPECT_EQ(w.roundTrips() - before, expected);
    before = w.roundTrips();
    EXPECT_EQ(w.run(4, kScript), Worker().run(4, kScript));
    EXPECT_EQ(w.roundTrips() - before, k == 0 || k == kScript.size() ? 1 : 2);
  }
}

// A statement sent ahead fails for instance 3: the run that asks for it gets
// the server's message, then the failed transaction's; a run that does not
// ask for it never sees the failure; the run after is served as ever.
TEST_F(PgPipeline, AFailureSentAheadReachesOnlyTheRunThatAsksForIt) {
  const std::vector<std::string> failing = replacedAt(kScript, 1, kFailsForThree);
  const std::vector<std::vector<std::string>> runs = {
      failing, {failing[0], kOther, failing[2], failing[3]}, {failing[0]}};
  for (const std::vector<std::string>& asked : runs) {
    std::vector<std::string> alone = Worker().run(3, asked);
    Worker w;
    w.run(2, failing);
    EXPECT_EQ(w.run(3, asked), alone);
    EXPECT_EQ(w.run(4, failing), Worker().run(4, failing));
  }
  EXPECT_EQ(Worker().run(3, failing),
            (std::vector<std::string>{"c;", "error: division by zero",
                                      "error: current transaction is aborted, commands ignored until end of "
                                      "transaction block",
                                      "error: current transaction is aborted, commands ignored until end of "
                                      "transaction block"}));
}

}  // namespace
#endif
