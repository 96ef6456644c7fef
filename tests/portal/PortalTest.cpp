// The portal over HTTP, served in this process on a free loopback port: every
// route with good input, bad input in one table (status, message, nothing
// run), the token, and escaping of what the database holds.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "portal/Portal.h"
#include "tests/portal/PortalTestSupport.h"
#include "tests/support/Thrown.h"

namespace {

const char kToken[] = "portal-test-token-0123456789";

PortalOptions options(const std::string& database = demoDatabase()) {
  PortalOptions o;
  o.database = database;
  o.reports = sourcePath("examples/reports");
  o.queries = {sourcePath("examples/queries/common.xml")};
  o.listen = "127.0.0.1:0";
  return o;
}

// A portal serving on its own thread while the object lives.
class Served {
 public:
  explicit Served(const PortalOptions& o) : portal_(o), client_("127.0.0.1", portal_.bind()) {
    thread_ = std::thread([this] { portal_.serve(); });
  }
  ~Served() {
    portal_.stop();
    thread_.join();
  }
  httplib::Result get(const std::string& path, const httplib::Headers& headers = {}) {
    return client_.Get(path.c_str(), headers);
  }
  httplib::Result post(const std::string& path, const std::string& body,
                       const httplib::Headers& headers = {}) {
    return client_.Post(path.c_str(), headers, body, "application/x-www-form-urlencoded");
  }
  long runs() const { return portal_.runsStarted(); }

 private:
  Portal portal_;
  httplib::Client client_;
  std::thread thread_;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PortalRoutes, SearchElementAndReportPages) {
  Served portal(options());
  const std::string html = "text/html; charset=utf-8";
  const struct {
    std::string path, type;
    std::vector<std::string> parts;
  } cases[] = {
      {"/", html,
       {"<option>Cell</option>",
        "<input type=\"hidden\" name=\"report\" value=\"cell\"><button type=\"submit\">Run for all 60</button>",
        "None since the portal started."}},
      {"/?q=cell00004&entity=Cell", html,
       {"<p id=\"count\" class=\"meta\">1 found.</p>", "<a href=\"/element/1000004\">CELL00004</a>"}},
      {"/search?q=map-ecp", "application/json",
       {R"({"matches":[{"entity":"ECP","id":3000001,"mapLabel":"ECP 1","mapName":"map-ECP1","name":"ECP1"},)"
        R"({"entity":"ECP","id":3000002,"mapLabel":"ECP 2","mapName":"map-ECP2","name":"ECP2"}],"total":2})"}},
      {"/element/1000004", html,
       {"<h1>CELL00004</h1>", "<a href=\"/report/cell/1000004\" class=\"button\">Cell radio parameters</a>",
        "<h3>ECP</h3><ul class=\"inline\"><li><a href=\"/element/3000001\">ECP1</a></li></ul>",
        "<h3>Antenna faces</h3><ul class=\"inline\"><li><a href=\"/element/2000012\">CELL00004-0</a></li>"
        "<li><a href=\"/element/2000013\">CELL00004-1</a></li><li><a href=\"/element/2000014\">CELL00004-2</a></li></ul>"}},
      {"/element/2000013", html,
       {"<h3>Cell</h3><ul class=\"inline\"><li><a href=\"/element/1000004\">CELL00004</a></li></ul>",
        "<h3>Voice LAF</h3><ul class=\"inline\"><li><a href=\"/element/4000013\">CELL00004-V1</a></li></ul>"}},
      {"/report/cell/1000007", html,
       {"<h1>Cell radio parameters: CELL00007</h1>", "<a href=\"/runs/1/workbook\" class=\"button\">Workbook</a>",
        "<caption>FACE</caption>", "<td>map-CELL00007-0</td>",
        "<section class=\"sheet\" id=\"sheet-1\"><h2>Report</h2>"}},
      {"/runs/1", html, {"<h1>Cell radio parameters: CELL00007</h1>"}},
      {"/report/s3cell/1000005", html,
       {"<strong>A message from the report:</strong> There are no equipped microcells for cell "
        "CELL00005\nPREBUILD</div>"}},
      {"/report/cell3g/1000005", html, {"<strong>The instance was skipped:</strong> Cell is not series 2, series 5"}},
      {"/report/s2_cell_diagram/1000004", html, {"<h2>Frame 0</h2>", "<link rel=\"stylesheet\" href=\"/fills.css?c="}},
      {"/fills.css?c=fce4d6", "text/css; charset=utf-8", {".f-fce4d6 { background: #fce4d6; }\n"}},
      {"/login", html, {"<input type=\"password\" name=\"token\""}},
      {"/static/portal.js", "text/javascript; charset=utf-8", {"function initSearch(form)"}},
      {"/static/portal.css", "text/css; charset=utf-8", {"td.s-unit {"}},
  };
  for (const auto& c : cases) {
    auto r = portal.get(c.path);
    ASSERT_TRUE(r) << c.path;
    EXPECT_EQ(r->status, 200) << c.path;
    EXPECT_EQ(r->get_header_value("Content-Type"), c.type) << c.path;
    EXPECT_EQ(r->get_header_value("Content-Security-Policy"),
              "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; connect-src 'self'; "
              "form-action 'self'; frame-ancestors 'none'; base-uri 'none'");
    for (const std::string& part : c.parts) EXPECT_TRUE(contains(r->body, part)) << c.path << "\n" << part;
    EXPECT_FALSE(contains(r->body, "style=")) << c.path;
  }
}

TEST(PortalRoutes, FilesOfARunAndOfABatch) {
  Served portal(options());
  ASSERT_EQ(portal.get("/report/cell/1000007")->status, 200);
  auto text = portal.get("/runs/1/text");
  EXPECT_EQ(text->body, readFile(sourcePath("tests/e2e/expected/cell/cell_1000007.txt")));
  EXPECT_EQ(text->get_header_value("Content-Disposition"),
            "attachment; filename=\"cell_1000007.txt\"");
  auto steering = portal.get("/runs/1/steering");
  EXPECT_TRUE(contains(steering->body, "\"PFDataFileName\": \"cell_1000007.txt\""))
      << steering->body;
  auto workbook = portal.get("/runs/1/workbook");
  EXPECT_EQ(workbook->body.substr(0, 4), std::string("PK\x03\x04"));
  EXPECT_EQ(workbook->get_header_value("Content-Disposition"),
            "attachment; filename=\"cell_1000007.xlsx\"");

  auto started = portal.post("/batches", "report=ecp");
  EXPECT_EQ(started->status, 303);
  EXPECT_EQ(started->get_header_value("Location"), "/batches/1");
  std::string progress;
  for (int i = 0; i < 1000 && !contains(progress, "\"done\":2,"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    progress = portal.get("/batches/1/progress")->body;
  }
  EXPECT_EQ(progress.substr(0, progress.find(",\"seconds\"")),
            "{\"done\":2,\"failed\":0,\"messages\":0");
  EXPECT_TRUE(
      contains(portal.get("/batches/1")->body,
               "<td class=\"num\">3000001</td><td><a href=\"/element/3000001\">ECP1</a></td>"
               "<td class=\"outcome-written\">written</td>"));
  EXPECT_TRUE(contains(portal.get("/batches/1/3000002")->body, "<h1>ECP and its cells: ECP2</h1>"));
  EXPECT_EQ(portal.get("/batches/1/3000002/text")->body,
            readFile(sourcePath("tests/e2e/expected/instance/ecp_3000002.txt")));
  EXPECT_TRUE(
      contains(portal.get("/")->body, "ECP and its cells <span class=\"meta\">2 of 2 done;"));
}

TEST(PortalRoutes, BadInputIsRefusedAndRunsNothing) {
  Served portal(options());
  const std::string tooLarge = "report=" + std::string(20000, 'c');
  const struct {
    std::string path;
    int status;
    std::string message;
    const char* body = nullptr;  // a POST's; a GET without
    httplib::Headers headers = {};
  } cases[] = {
      {"/report/nosuch/1000004", 404, "Unknown report: nosuch"},
      {"/report/cell.xml/1000004", 404, "Unknown report: cell.xml"},
      {"/report/cell/abc", 400, "Not an instance id: abc"},
      {"/report/cell/-4", 400, "Not an instance id: -4"},
      {"/report/cell/1e6", 400, "Not an instance id: 1e6"},
      {"/report/cell/10000000000", 400, "Not an instance id: 10000000000"},
      {"/report/cell/1", 404, "Unknown instance: 1"},
      {"/report/voice_laf/2000043", 400,
       "The report voice_laf reports on entity VoiceLAF; CELL00014-1 (2000043) is of entity Antenna"},
      {"/report/..%2F..%2Fetc%2Fpasswd/1000004", 404, "No such page: /report/../../etc/passwd/1000004"},
      {"/report/cell/1000004/../../../etc/passwd", 404, "No such page: /report/cell/1000004/../../../etc/passwd"},
      {"/runs/abc/text", 400, "Not a run number: abc"},
      {"/runs/7/text", 404, "No run 7 is kept"},
      {"/runs/1/passwd", 404, "No such page: /runs/1/passwd"},
      {"/element/CELL00004", 400, "Not an instance id: CELL00004"},
      {"/element/12", 404, "Unknown instance: 12"},
      {"/search?q=" + std::string(101, 'x'), 400, "The search text is longer than 100 characters"},
      {"/search?q=cell&entity=%3Cb%3E", 400, "Unknown entity: &lt;b&gt;"},
      {"/batches", 404, "Unknown report: ../cell", "report=..%2Fcell"},
      {"/batches", 403, "A request from another site&#39;s page was refused: http://elsewhere.example", "report=cell",
       {{"Origin", "http://elsewhere.example"}}},
      {"/batches", 413, "The request is too large", tooLarge.c_str()},
      {"/batches/x1", 400, "Not a batch number: x1"},
      {"/batches/3", 404, "No batch 3"},
      {"/batches/3/progress", 404, "No batch 3"},
      {"/batches/3/1000004/text", 404, "No batch 3"},
      {"/fills.css?c=123456;}body{", 400, "Not a list of colours: 123456;}body{"},
      {"/" + std::string(9000, 'a'), 414, "The address is too long"},
      {"/", 403, "This portal answers only requests addressed to a loopback name (Host header)", nullptr,
       {{"Host", "portal.example:8080"}}},
      {"/report/cell/1000004", 404, "No such page: /report/cell/1000004", ""},
  };
  for (const auto& c : cases) {
    auto r = c.body ? portal.post(c.path, c.body, c.headers) : portal.get(c.path, c.headers);
    ASSERT_TRUE(r) << c.path;
    EXPECT_EQ(r->status, c.status) << c.path;
    EXPECT_TRUE(contains(r->body, "role=\"alert\">" + c.message + "</div>")) << c.path << "\n" << r->body;
  }
  EXPECT_EQ(portal.runs(), 0);
}

TEST(PortalAccess, TokenInAHeaderOrTheLoginCookie) {
  std::string tokenFile = testFolder() + "/token";
  writeFile(tokenFile, kToken + std::string("\n"));
  PortalOptions o = options();
  o.tokenFile = tokenFile;
  Served portal(o);
  const std::string login = "This portal needs its access token.";
  const struct {
    std::string path;
    httplib::Headers headers;
    int status;
    std::string part;
  } cases[] = {
      {"/", {}, 401, login},
      {"/report/cell/1000004", {}, 401, login},
      {"/runs/1/text", {}, 401, login},
      {"/", {{"Authorization", std::string("Bearer ") + kToken + "x"}}, 401, login},
      {"/", {{"Authorization", std::string("bearer ") + kToken}}, 401, login},
      {"/", {{"Cookie", "tarnel_session=0123456789abcdef"}}, 401, login},
      {"/", {{"Authorization", std::string("Bearer ") + kToken}, {"Host", "portal.example"}}, 200,
       "Find a network element"},
      {"/static/portal.css", {}, 200, "td.s-unit {"},
  };
  for (const auto& c : cases) {
    auto r = portal.get(c.path, c.headers);
    EXPECT_EQ(r->status, c.status) << c.path;
    EXPECT_TRUE(contains(r->body, c.part)) << c.path;
  }
  EXPECT_EQ(portal.runs(), 0);

  auto refused = portal.post("/login", std::string("token=") + kToken + "1");
  EXPECT_EQ(refused->status, 401);
  EXPECT_TRUE(contains(refused->body, "That is not the portal&#39;s token."));
  auto admitted = portal.post("/login", std::string("token=") + kToken);
  EXPECT_EQ(admitted->status, 303);
  std::string cookie = admitted->get_header_value("Set-Cookie");
  EXPECT_TRUE(contains(cookie, "; Path=/; HttpOnly; SameSite=Strict")) << cookie;
  EXPECT_EQ(portal.get("/", {{"Cookie", "lang=en; " + cookie.substr(0, cookie.find(';'))}})->status, 200);
}

TEST(PortalAccess, AddressesOtherThanLoopbackNeedAToken) {
  std::string shortToken = testFolder() + "/short-token";
  writeFile(shortToken, "short\n");
  const struct {
    std::string listen, tokenFile, message;
  } cases[] = {
      {"0.0.0.0:8080", "",
       "--listen 0.0.0.0:8080 is not a loopback address: give --token-file so that every request must carry the token"},
      {"8080", "", "--listen wants host:port, not 8080"},
      {"127.0.0.1:http", "", "--listen wants host:port, not 127.0.0.1:http"},
      {"0.0.0.0:8080", shortToken, "The token in " + shortToken + " is shorter than 16 characters"},
      {"0.0.0.0:8080", testFolder() + "/none", "Cannot read the token file " + testFolder() + "/none"},
  };
  for (const auto& c : cases) {
    PortalOptions o = options();
    o.listen = c.listen;
    o.tokenFile = c.tokenFile;
    EXPECT_EQ(thrown([&] { Portal portal(o); }), c.message);
  }
}

TEST(PortalEscaping, NamesFromTheDatabaseShowAsText) {
  std::string database = testFolder() + "/script.db";
  writeFile(database, readFile(demoDatabase()));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "update tnl_instance set name = '<script>alert(1)</script>', map_name = '\"><b>' where "
                         "instance_id = 1000004; update tnl_cfg_cell set name = '<script>alert(1)</script>' where "
                         "instance_id = 1000004",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  Served portal(options(database));
  const char escaped[] = "&lt;script&gt;alert(1)&lt;/script&gt;";
  for (const char* path :
       {"/element/1000004", "/report/cell/1000004", "/?q=alert", "/element/2000012"}) {
    auto r = portal.get(path);
    EXPECT_EQ(r->status, 200) << path;
    EXPECT_TRUE(contains(r->body, escaped)) << path;
    EXPECT_FALSE(contains(r->body, "<script>alert")) << path;
    EXPECT_FALSE(contains(r->body, "\"><b>")) << path;
  }
  EXPECT_TRUE(contains(portal.get("/search?q=alert")->body,
                       R"("mapName":"\"><b>","name":"<script>alert(1)</script>")"));
}

}  // namespace
