// The portal's parts on the demo network: the search's order, the report
// catalogue's bad entries, the bounded queue of the worker pool, the fill
// stylesheet and the loopback names.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "host/NetworkCatalogue.h"
#include "host/PluginLoader.h"
#include "host/ReportCatalogue.h"
#include "host/StreamLogUser.h"
#include "portal/AccessGuard.h"
#include "portal/ReportView.h"
#include "portal/RunPool.h"
#include "tests/portal/PortalTestSupport.h"
#include "tests/support/Thrown.h"

namespace {

TEST(NetworkCatalogueSearch, WholeFieldsFirstThenStartsThenTheRestInIdOrder) {
  struct Case {
    const char* text;
    const char* entity;
    size_t limit;
    std::vector<std::string> names;
    size_t total;
  };
  const Case cases[] = {
      {"cell0001", "", 3, {"CELL00010", "CELL00011", "CELL00012"}, 72},
      {"CELL00004", "", 10,
       {"CELL00004", "CELL00004-0", "CELL00004-1", "CELL00004-2", "CELL00004-V0", "CELL00004-V1", "CELL00004-V2"}, 7},
      {"cell00004-v", "VoiceLAF", 2, {"CELL00004-V0", "CELL00004-V1"}, 3},
      {"3000002", "", 5, {"ECP2"}, 1},
      {"map-ecp", "", 5, {"ECP1", "ECP2"}, 2},
      {"00004-", "Antenna", 2, {"CELL00004-0", "CELL00004-1"}, 3},
      {"", "", 5, {}, 0},
      {"CELL00004", "Nothing", 5, {}, 0},
  };
  NetworkCatalogue network(demoDatabase());
  for (const Case& c : cases) {
    NetworkCatalogue::SearchResult found = network.search(c.text, c.entity, c.limit);
    std::vector<std::string> names;
    for (const auto* m : found.matches) names.push_back(m->name);
    EXPECT_EQ(names, c.names) << c.text;
    EXPECT_EQ(found.total, c.total) << c.text;
  }
}

TEST(ReportCatalogueLoad, BadEntriesNameTheFileAndLine) {
  std::string folder = testFolder() + "/catalogue";
  mkdir(folder.c_str(), 0700);
  writeFile(folder + "/cell.xml", readFile(sourcePath("examples/reports/cell/cell.xml")));
  writeFile(folder + "/bare.xml", "<REPORT/>");
  std::string file = folder + "/catalogue.tsv";
  const std::pair<const char*, std::string> cases[] = {
      {"cell.xml\tTarnelCellReport\tall\n",
       file + ":1: expected 4 tab-separated columns (configuration, class, instances, title), found 3"},
      {"# reports\ncell.xml\tNoSuchReport\tall\tCell\n", file + ":2: unknown report class NoSuchReport"},
      {"cell.xml\tTarnelCellReport\tall\tCell\ncell.xml\tTarnelCellReport\tall\tAgain\n",
       file + ":2: a second report named cell"},
      {"gone.xml\tTarnelCellReport\tall\tGone\n",
       file + ":1: " + folder + "/gone.xml: cannot read file: No such file or directory"},
      {"bare.xml\tTarnelCellReport\tall\tBare\n",
       file + ":1: " + folder + "/bare.xml: the root element has no Entity attribute"},
      {"# nothing\n", file + ": lists no report configuration"},
  };
  for (const auto& c : cases) {
    writeFile(file, c.first);
    EXPECT_EQ(thrown([&] { ReportCatalogue(folder, {}, PluginLoader::builtIn()); }), c.second);
  }
}

TEST(RunPoolQueue, RefusesRunsBeyondTheQueueWhileEveryWorkerIsBusy) {
  ReportCatalogue reports(sourcePath("examples/reports"),
                          {sourcePath("examples/queries/common.xml")}, PluginLoader::builtIn());
  StreamLogUser log("");
  std::promise<void> release;
  std::shared_future<void> gate = release.get_future().share();
  std::atomic<int> holding{0};
  SessionOptions base;
  base.database = demoDatabase();
  base.log = &log;
  base.afterRun = [&](int, const std::string&) {
    ++holding;
    gate.wait();
  };
  const TempFolder folders[3];
  const ReportCatalogue::Entry& cell = *reports.find("cell");
  RunPool pool(base, 1, 1);
  std::future<RunPool::Result> first = pool.submit(cell, 1000004, folders[0].path);  // the idle worker's
  while (holding == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::future<RunPool::Result> second = pool.submit(cell, 1000005, folders[1].path);  // waits
  std::future<RunPool::Result> third = pool.submit(cell, 1000006, folders[2].path);   // refused
  ASSERT_TRUE(first.valid());
  ASSERT_TRUE(second.valid());
  EXPECT_FALSE(third.valid());
  release.set_value();
  EXPECT_EQ(first.get().outcome.kind, RunOutcome::kWritten);
  EXPECT_EQ(second.get().outcome.kind, RunOutcome::kWritten);
  EXPECT_EQ(pool.runsStarted(), 2);
}

TEST(ReportViewFills, StylesheetOnlyForListsOfColours) {
  EXPECT_EQ(ReportView::fillStylesheet("1a2b3c.ffcc00"),
            ".f-1a2b3c { background: #1a2b3c; }\n.f-ffcc00 { background: #ffcc00; }\n");
  std::string tooMany;
  for (size_t i = 0; i <= ReportView::kMaxFills; ++i)
    tooMany += (i ? "." : "") + std::string("aaaaaa");
  for (const std::string& bad : {std::string(""), std::string("1a2b3c."), std::string("1A2B3C"),
                                 std::string("1a2b3c;}body{x"), std::string("1a2b3"), tooMany}) {
    EXPECT_THROW(ReportView::fillStylesheet(bad), std::invalid_argument) << bad;
  }
}

TEST(AccessGuardNames, LoopbackAddressesOnly) {
  for (const char* host : {"127.0.0.1", "127.3.2.1", "localhost", "::1", "[::1]"}) {
    EXPECT_TRUE(AccessGuard::isLoopback(host)) << host;
  }
  for (const char* host :
       {"0.0.0.0", "10.1.2.3", "", "example.com", "127.0.0.1.example.com", "::"}) {
    EXPECT_FALSE(AccessGuard::isLoopback(host)) << host;
  }
  EXPECT_TRUE(AccessGuard::sameBytes("s3cret-token-value", "s3cret-token-value"));
  for (const char* other : {"", "s3cret-token-valuE", "s3cret-token-value!", "s3cret"}) {
    EXPECT_FALSE(AccessGuard::sameBytes("s3cret-token-value", other)) << other;
  }
}

}  // namespace
