// The portal in a real browser: `tarnel-report serve` on the demo network,
// driven by headless Chromium (--dump-dom): a search typed into the address
// runs through the page's script, a report run and its rendered text (the
// element page's HTML: tests/portal/PortalTest.cpp). Skipped when Chromium
// is not installed, unless CI or TARNEL_REQUIRE_CHROMIUM is set
// (scripts/test.sh installs it).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kServing[] = "tarnel-report: serving ";

// Chromium as root on a machine without network access: no sandbox, no GPU,
// none of the background connections, a new empty profile.
std::string chromiumCommand(const std::string& url) {
  return "chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--user-data-dir=" +
         freshFolder() + " --virtual-time-budget=5000 --dump-dom '" + url + "' 2>/dev/null";
}

std::string dumpDom(const std::string& url) { return runShell(chromiumCommand(url), "/").out; }

// `tarnel-report serve` on a free loopback port while the object lives.
class ServedPortal {
 public:
  ServedPortal() {
    std::string out = freshFolder() + "/serve.out";
    pid_ = startTarnel({"serve", "--db", demoDatabase(), "--reports", examplePath("reports"), "--queries",
                        examplePath("queries/common.xml"), "--listen", "127.0.0.1:0"},
                       out, out + ".err");
    for (int i = 0; i < 3000 && url_.empty(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      std::string text = readFile(out);
      size_t start = text.find(kServing);
      if (start == std::string::npos) continue;
      start += sizeof kServing - 1;
      url_ = text.substr(start, text.find(' ', start) - start);
    }
  }
  ~ServedPortal() { stop(); }
  // SIGTERM; the exit code.
  int stop() {
    if (pid_ == 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  const std::string& url() const { return url_; }

 private:
  pid_t pid_ = 0;
  std::string url_;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PortalInChromium, SearchThenRunAReport) {
  SKIP_OR_FAIL_WITHOUT(notInstalled("chromium"), "TARNEL_REQUIRE_CHROMIUM");
  ServedPortal portal;
  ASSERT_FALSE(portal.url().empty()) << "the portal did not start";

  // The address's search is not seen by the server: only the page's script
  // (allowed by the page's security policy) fetches and lists the results.
  std::string search = dumpDom(portal.url() + "#q=cell00004&entity=Cell");
  EXPECT_TRUE(contains(search, "<p id=\"count\" class=\"meta\">1 found.</p>")) << search;
  EXPECT_TRUE(
      contains(search,
               "<li><a href=\"/element/1000004\">CELL00004</a>"
               "<span class=\"meta\">Cell \xc2\xb7 map-CELL00004 \xc2\xb7 1000004</span></li>"))
      << search;

  std::string report = dumpDom(portal.url() + "report/cell/1000004");
  for (const char* text :
       {"<h1>Cell radio parameters: CELL00004</h1>",
        "<a href=\"/runs/1/workbook\" class=\"button\">Workbook</a>",
        "<tr><td class=\"s-label\">CellName</td><td class=\"s-value\">CELL00004</td></tr>",
        "<caption>FACE</caption>",
        "<tr><td class=\"num\">1</td><td>map-CELL00004-1</td><td class=\"num\">1</td>"
        "<td class=\"num\">124</td><td class=\"num\">24.0</td></tr>"}) {
    EXPECT_TRUE(contains(report, text)) << text << "\n" << report;
  }
  EXPECT_EQ(portal.stop(), 0);
}

}  // namespace
