// The batch journal: batches killed at random moments resume to the files of
// an uninterrupted batch; --resume trusts the journal and nothing else; a
// failed flush fails the batch and leaves the journal as flushed. (Suite
// Reliability: left out of the slow valgrind run.)
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kHeader[] = "tarnel-report batch journal 1\n";

std::vector<std::string> lmtBatch(const std::string& out, std::vector<std::string> extra = {}) {
  std::vector<std::string> args{"batch", "--db", demoDatabase(), "--config", examplePath("reports/instance/lmt.xml"),
                                "--queries", examplePath("queries/common.xml"), "--class", "TarnelLMTReport",
                                "--instances", "all", "--out", out, "--workbook"};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

// The ids in the whole lines of a journal after its header.
std::set<int> journalIds(const std::string& text) {
  std::set<int> ids;
  for (size_t at = text.find('\n'), end; at != std::string::npos && (end = text.find('\n', at + 1)) != std::string::npos;
       at = end) {
    ids.insert(std::atoi(text.c_str() + at + 1));
  }
  return ids;
}

// The instances whose runs a --trace-sql file shows begun.
std::set<int> instancesRun(const std::string& trace) {
  const std::string check = "select 1 from tnl_instance where instance_id = ";
  std::set<int> ids;
  for (size_t at = 0; (at = trace.find(check, at)) != std::string::npos; at += check.size()) {
    ids.insert(std::atoi(trace.c_str() + at + check.size()));
  }
  return ids;
}

TEST(Reliability, KilledBatchesResumeToTheFilesOfAnUninterruptedOne) {
  std::string folder = memoryFolder(), db = folder + "/medium.db", whole = folder + "/whole", out = folder + "/out";
  ASSERT_EQ(runTarnel({"demo-db", db, "--cells", "1000"}).exitCode, 0);
  ASSERT_EQ(mkdir(whole.c_str(), 0755) | mkdir(out.c_str(), 0755), 0);
  auto batch = [&db](const std::string& to, const std::string& trace) {
    return std::vector<std::string>{"batch", "--db", db, "--config", examplePath("reports/laf/voice_laf.xml"),
                                    "--class", "TarnelLAFReport", "--instances", "all", "-j", "2",
                                    "--out", to, "--resume", "--trace-sql", trace};
  };
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(runTarnel(batch(whole, folder + "/whole.sql")).exitCode, 0);
  long took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  // Twenty runs killed after a random time, then one left to finish; each
  // resumes the one before and flushes every 20 ms. Kills up to a third of
  // the whole batch's time apart spread over the batch, its start and its end.
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<long> milliseconds(0, std::max(took / 3, 10L));
  for (int run = 0; run <= 20; ++run) {
    std::set<int> journaled = journalIds(readFile(out + "/voice_laf.journal"));
    std::string trace = folder + "/run" + std::to_string(run) + ".sql";
    std::string after = std::to_string(milliseconds(random) / 1000.0);
    std::vector<std::string> prefix{"env", "TARNEL_TEST_FLUSH_MS=20"};
    if (run < 20) prefix.insert(prefix.begin(), {"timeout", "-s", "KILL", after});
    CommandResult r = runTarnelBehind(prefix, batch(out, trace));
    SCOPED_TRACE("run " + std::to_string(run) + (run < 20 ? ", killed after " + after + " s" : ""));
    EXPECT_TRUE(r.exitCode == 128 + SIGKILL || r.exitCode == 0) << r.exitCode << r.err;
    // A killed run may lose the end of its trace, never the runs it began first.
    for (int id : instancesRun(readFile(trace))) EXPECT_EQ(journaled.count(id), 0u) << id << " ran again";
    if (run == 20) {
      EXPECT_EQ(r.out, "3000 written, 0 skipped, 0 messages, 0 failed\n") << r.err;
    }
  }
  ASSERT_EQ(filesIn(out), filesIn(whole));
  for (const std::string& f : filesIn(whole)) EXPECT_TRUE(readFile(out + "/" + f) == readFile(whole + "/" + f)) << f;
}

// A batch with workbooks whose files were garbled by hand, resumed: the
// journal is trusted up to its first line that is not a whole entry, and
// nothing else is; the index lists every instance as before; when the last
// flush fails the journal stays as it was.
TEST(Reliability, ResumeTrustsTheJournalAndNothingElse) {
  const std::string whole = freshFolder();
  ASSERT_EQ(runTarnel(lmtBatch(whole)).exitCode, 0);
  struct Case {
    const char* name;
    const char* journal;  // nullptr: no journal
    std::set<int> trusted;
    bool flushFails;
  } cases[] = {
      {"final files and no journal", nullptr, {}, false},
      {"a truncated last line", "1000001 written\n1000002 writ", {1000001}, false},
      {"a line that is not an entry", "1000001 written\n1000002 skipped x\n1000003 written\n", {1000001}, false},
      {"the flush fails", "1000001 written\n1000003 written\n", {1000001, 1000003}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out = freshFolder(), journal = out + "/lmt.journal";
    for (const std::string& f : filesIn(whole)) writeFile(out + "/" + f, readFile(whole + "/" + f));
    if (c.journal) writeFile(journal, kHeader + std::string(c.journal));
    else std::remove(journal.c_str());
    for (const char* id : {"1000001", "1000002", "1000003"}) writeFile(out + "/lmt_" + id + ".txt", "garbage\n");
    writeFile(out + "/lmt_1000004.steering.json.partial", "{\n");
    // No flush but the last, however slow the build: the failing one is that.
    CommandResult r = runTarnel(lmtBatch(out, {"--resume"}), {{"TARNEL_TEST_FAIL_FLUSH", c.flushFails ? "1" : "0"},
                                                              {"TARNEL_TEST_FLUSH_MS", "600000"}});
    EXPECT_EQ(r.exitCode, c.flushFails ? 1 : 0);
    EXPECT_EQ(r.out, "60 written, 0 skipped, 0 messages, 0 failed\n");
    std::string err = c.trusted.empty() ? "" : "tarnel-report: resumed: " + std::to_string(c.trusted.size()) +
                                                   " instances in " + journal + " were not run again\n";
    if (c.flushFails) err += "tarnel-report: error: Cannot flush the output folder " + out + " to disk: Input/output error\n";
    EXPECT_EQ(r.err, err);
    for (int id : {1000001, 1000002, 1000003}) {
      std::string file = "/lmt_" + std::to_string(id) + ".txt";
      EXPECT_EQ(readFile(out + file), c.trusted.count(id) ? "garbage\n" : readFile(whole + file)) << id;
    }
    EXPECT_EQ(filesIn(out), filesIn(whole));
    EXPECT_TRUE(readFile(out + "/lmt.index.xlsx") == readFile(whole + "/lmt.index.xlsx"));
    EXPECT_EQ(readFile(journal), c.flushFails ? kHeader + std::string(c.journal) : readFile(whole + "/lmt.journal"));
  }
}

TEST(Reliability, ShardAutoRunsTheSliceOfTheKubernetesIndex) {
  std::string out = freshFolder();
  CommandResult r = runTarnel(lmtBatch(out, {"--shard", "auto"}), {{"JOB_COMPLETION_INDEX", "1"}, {"TARNEL_SHARDS", "3"}});
  EXPECT_EQ(r.out, "20 written, 0 skipped, 0 messages, 0 failed\n") << r.err;
  std::set<int> ids = journalIds(readFile(out + "/lmt.shard-2-of-3.journal"));
  EXPECT_EQ(ids.size(), 20u);
  EXPECT_EQ(*ids.begin(), 1000021);
}

}  // namespace
