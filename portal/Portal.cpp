#include "portal/Portal.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "framework/KvException.h"
#include "host/PluginLoader.h"
#include "portal/PortalAssets.h"
#include "portal/ReportView.h"
#include "workbook/LayoutBuilder.h"
#include "workbook/WorkbookError.h"

namespace {
const char kHtml[] = "text/html; charset=utf-8";
const char kJson[] = "application/json";
const char kSecurityPolicy[] =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; connect-src 'self'; "
    "form-action 'self'; frame-ancestors 'none'; base-uri 'none'";
const size_t kMaxRequestBody = 16 << 10;
const size_t kMaxSearchText = 100;
const size_t kSearchLimit = 25;
const size_t kKeptRuns = 200;
const size_t kMaxUnfinishedBatches = 4;
const int kMaxIdDigits = 9;
const char kRetryAfterSeconds[] = "2";

// `text` as a non-negative integer of at most kMaxIdDigits digits.
bool parseNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > kMaxIdDigits ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  value = std::stoi(text);
  return true;
}

std::string milliseconds(double seconds) {
  std::ostringstream text;
  text.setf(std::ios::fixed);
  text.precision(2);
  text << seconds * 1000;
  return text.str();
}

double since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string json(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string readWhole(const std::string& path, bool& found) {
  std::ifstream in(path, std::ios::binary);
  found = static_cast<bool>(in);
  std::ostringstream bytes;
  if (found) bytes << in.rdbuf();
  return bytes.str();
}

bool exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string stemOf(const std::string& folder, const ReportCatalogue::Entry& report,
                   int instanceId) {
  return folder + "/" + report.name + "_" + std::to_string(instanceId);
}

// Answers with `bytes` as a download named `name`.
void attach(httplib::Response& r, const std::string& name, const std::string& bytes,
            const char* type) {
  r.set_header("Content-Disposition", "attachment; filename=\"" + name + "\"");
  r.set_content(bytes, type);
}

const char* statusMessage(int status) {
  switch (status) {
    case 400: return "Bad request";
    case 404: return "No such page";
    case 405: return "Method not allowed";
    case 413: return "The request is too large";
    case 414: return "The address is too long";
    default: return "The request failed";
  }
}
}  // namespace

const PortalOptions& Portal::checked(const PortalOptions& options) {
  if (options.workers < 1 || options.queue < 0) {
    throw KvException(RWEString("--jobs must be at least 1 and --queue at least 0"));
  }
  return options;
}

Portal::Address Portal::addressOf(const std::string& listen, const AccessGuard& guard) {
  size_t colon = listen.rfind(':');
  Address address;
  if (colon == std::string::npos || !parseNumber(listen.substr(colon + 1), address.port) ||
      address.port > 65535) {
    throw KvException(RWEString("--listen wants host:port, not " + listen));
  }
  address.host = listen.substr(0, colon);
  if (address.host.size() > 2 && address.host.front() == '[' && address.host.back() == ']') {
    address.host = address.host.substr(1, address.host.size() - 2);
  }
  if (!guard.needsToken() && !AccessGuard::isLoopback(address.host)) {
    throw KvException(RWEString("--listen " + listen +
                                " is not a loopback address: give --token-file so that every "
                                "request must carry the token"));
  }
  return address;
}

Portal::Portal(const PortalOptions& options)
    : options_(checked(options)),
      guard_(options.tokenFile),
      address_(addressOf(options.listen, guard_)),
      reports_(options.reports, options.queries,
               options.registry ? *options.registry : PluginLoader::builtIn()),
      network_(options.database),
      log_(""),
      workbooks_(options.templates),
      archive_(kKeptRuns),
      pages_(reports_, network_) {
  SessionOptions base;
  base.database = options.database;
  base.log = &log_;
  pool_ = std::make_unique<RunPool>(base, options.workers, options.queue);
  server_ = std::make_unique<httplib::Server>();
  routes();
}

Portal::~Portal() = default;

int Portal::bind() {
  int port = address_.port;
  if (port == 0) {
    port = std::max(server_->bind_to_any_port(address_.host), 0);
  } else if (!server_->bind_to_port(address_.host, port)) {
    port = 0;
  }
  if (port == 0) throw KvException(RWEString("Cannot listen on " + options_.listen));
  return address_.port = port;
}

void Portal::serve() { server_->listen_after_bind(); }

void Portal::stop() {
  // A stop that comes before serve() has started listening would be lost.
  for (int i = 0; i < 1000 && !server_->is_running(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  server_->stop();
}

std::string Portal::url() const {
  const std::string& host = address_.host;
  bool v6 = host.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(address_.port) + "/";
}

int Portal::serveUntilSignal(const PortalOptions& options, std::ostream& out) {
  // A shell starts background commands with SIGINT ignored, and an ignored
  // signal never reaches sigwait.
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGUSR1);  // the portal's own wake-up when serving ends otherwise
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);  // every thread made from now on inherits it
  Portal portal(options);
  portal.bind();
  out << "tarnel-report: serving " << portal.url() << " (" << portal.network_.size()
      << " instances, " << portal.reports_.entries().size() << " reports); Ctrl-C stops"
      << std::endl;
  std::thread waiter([&portal, &signals] {
    int received = 0;
    sigwait(&signals, &received);
    portal.stop();
  });
  portal.serve();
  pthread_kill(waiter.native_handle(), SIGUSR1);
  waiter.join();
  return 0;
}

void Portal::routes() {
  httplib::Server& s = *server_;
  s.new_task_queue = [this] {
    return new httplib::ThreadPool(static_cast<size_t>(options_.workers + options_.queue) + 16);
  };
  s.set_payload_max_length(kMaxRequestBody);
  s.set_tcp_nodelay(true);
  // SO_REUSEADDR only: httplib's default also sets SO_REUSEPORT, with which a
  // second server could bind the same port and take half its requests.
  s.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });  // a response's header and body go out at once, not 40 ms apart
  s.set_keep_alive_max_count(100);
  s.set_default_headers({{"Content-Security-Policy", kSecurityPolicy},
                         {"X-Content-Type-Options", "nosniff"},
                         {"Referrer-Policy", "no-referrer"},
                         {"X-Frame-Options", "DENY"},
                         {"Cache-Control", "no-store"}});
  s.set_pre_routing_handler([this](const Request& q, Response& r) {
    return admit(q, r) ? httplib::Server::HandlerResponse::Unhandled
                       : httplib::Server::HandlerResponse::Handled;
  });
  s.set_error_handler(httplib::Server::HandlerWithResponse([this](const Request& q, Response& r) {
    if (!r.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
    fail(r, r.status, r.status == 404 ? "No such page: " + q.path : statusMessage(r.status));
    return httplib::Server::HandlerResponse::Handled;
  }));
  s.set_exception_handler([this](const Request&, Response& r, std::exception_ptr e) {
    std::string what = "unknown error";
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      what = x.what();
    } catch (...) {
    }
    fail(r, 500, "The portal failed: " + what);
  });
  auto bindTo = [this](auto method) {
    return [this, method](const Request& q, Response& r) { (this->*method)(q, r); };
  };
  s.Get("/", bindTo(&Portal::home));
  s.Get("/search", bindTo(&Portal::search));
  s.Get(R"(/element/([^/]+))", bindTo(&Portal::element));
  s.Get(R"(/report/([^/]+)/([^/]+))", bindTo(&Portal::report));
  s.Get(R"(/runs/([^/]+))", bindTo(&Portal::keptRun));
  s.Get(R"(/runs/([^/]+)/(text|steering|workbook))", bindTo(&Portal::runFile));
  s.Post("/batches", bindTo(&Portal::startBatch));
  s.Get(R"(/batches/([^/]+))", bindTo(&Portal::batchPage));
  s.Get(R"(/batches/([^/]+)/progress)", bindTo(&Portal::batchProgress));
  s.Get(R"(/batches/([^/]+)/([^/]+))", bindTo(&Portal::batchItem));
  s.Get(R"(/batches/([^/]+)/([^/]+)/(text|steering|workbook))", bindTo(&Portal::batchFile));
  s.Get("/fills.css", bindTo(&Portal::fills));
  s.Get("/login", [this](const Request&, Response& r) { r.set_content(pages_.login(""), kHtml); });
  s.Post("/login", bindTo(&Portal::login));
  s.Get("/static/portal.css", [](const Request&, Response& r) {
    r.set_content(PortalAssets::kStylesheet, "text/css; charset=utf-8");
  });
  s.Get("/static/portal.js", [](const Request&, Response& r) {
    r.set_content(PortalAssets::kScript, "text/javascript; charset=utf-8");
  });
}

bool Portal::admit(const Request& q, Response& r) const {
  switch (guard_.admits(q)) {
    case AccessGuard::kForeignHost:
      fail(r, 403, "This portal answers only requests addressed to a loopback name (Host header)");
      return false;
    case AccessGuard::kNoToken:
      if (q.path == "/login" || q.path.compare(0, 8, "/static/") == 0) break;
      r.status = 401;
      r.set_header("WWW-Authenticate", "Bearer realm=\"tarnel-report\"");
      r.set_content(pages_.login(""), kHtml);
      return false;
    case AccessGuard::kAdmitted: break;
  }
  if (q.method == "POST" && q.has_header("Origin")) {
    const std::string origin = q.get_header_value("Origin");
    if (origin != "http://" + q.get_header_value("Host")) {
      fail(r, 403, "A request from another site's page was refused: " + origin);
      return false;
    }
  }
  return true;
}

void Portal::fail(Response& r, int status, const std::string& message) const {
  r.status = status;
  r.set_content(pages_.error(status, message), kHtml);
}

void Portal::home(const Request& q, Response& r) const {
  std::string text = q.get_param_value("q");
  std::string entity = q.get_param_value("entity");
  NetworkCatalogue::SearchResult found;
  if (!text.empty()) found = network_.search(text.substr(0, kMaxSearchText), entity, kSearchLimit);
  r.set_content(pages_.home(text, entity, text.empty() ? nullptr : &found, archive_.batches()),
                kHtml);
}

void Portal::search(const Request& q, Response& r) const {
  auto start = std::chrono::steady_clock::now();
  std::string text = q.get_param_value("q");
  std::string entity = q.get_param_value("entity");
  if (text.size() > kMaxSearchText) {
    return fail(r, 400,
                "The search text is longer than " + std::to_string(kMaxSearchText) + " characters");
  }
  const auto& entities = network_.entities();
  if (!entity.empty() && !std::binary_search(entities.begin(), entities.end(), entity)) {
    return fail(r, 400, "Unknown entity: " + entity);
  }
  NetworkCatalogue::SearchResult found = network_.search(text, entity, kSearchLimit);
  nlohmann::json matches = nlohmann::json::array();
  for (const NetworkCatalogue::Instance* m : found.matches) {
    matches.push_back({{"id", m->id},
                       {"entity", m->entity},
                       {"name", m->name},
                       {"mapName", m->mapName},
                       {"mapLabel", m->mapLabel}});
  }
  r.set_content(json({{"total", found.total}, {"matches", matches}}), kJson);
  r.set_header("Server-Timing", "search;dur=" + milliseconds(since(start)));
}

const NetworkCatalogue::Instance* Portal::instanceOf(const Request& q, Response& r,
                                                     size_t match) const {
  int id = 0;
  if (!parseNumber(q.matches[match], id)) {
    fail(r, 400, "Not an instance id: " + std::string(q.matches[match]));
    return nullptr;
  }
  const NetworkCatalogue::Instance* instance = network_.find(id);
  if (!instance) fail(r, 404, "Unknown instance: " + std::to_string(id));
  return instance;
}

void Portal::element(const Request& q, Response& r) {
  const NetworkCatalogue::Instance* instance = instanceOf(q, r, 1);
  if (!instance) return;
  r.set_content(pages_.element(*instance, network_.neighbours(*instance)), kHtml);
}

void Portal::report(const Request& q, Response& r) {
  auto start = std::chrono::steady_clock::now();
  const std::string name = q.matches[1];
  const ReportCatalogue::Entry* report = reports_.find(name);
  if (!report) return fail(r, 404, "Unknown report: " + name);
  const NetworkCatalogue::Instance* instance = instanceOf(q, r, 2);
  if (!instance) return;
  const int id = instance->id;
  if (instance->entity != report->entity) {
    return fail(r, 400,
                "The report " + report->name + " reports on entity " + report->entity + "; " +
                    instance->name + " (" + std::to_string(id) + ") is of entity " +
                    instance->entity);
  }
  std::shared_ptr<RunArchive::Run> run = archive_.newRun(*report, id);
  std::future<RunPool::Result> result = pool_->submit(*report, id, run->folder);
  if (!result.valid()) {
    r.set_header("Retry-After", kRetryAfterSeconds);
    return fail(r, 503,
                "Every worker is busy and " + std::to_string(options_.queue) +
                    " reports are waiting already; try again in a moment");
  }
  RunPool::Result done = result.get();
  run->outcome = std::move(done.outcome);
  run->seconds = done.seconds;
  archive_.keep(run);
  auto rendering = std::chrono::steady_clock::now();
  r.set_content(runPage(*run), kHtml);
  if (run->outcome.kind == RunOutcome::kFailed || run->outcome.kind == RunOutcome::kInput)
    r.status = 500;
  r.set_header("Server-Timing", "run;dur=" + milliseconds(done.seconds) +
                                    ", render;dur=" + milliseconds(since(rendering)) +
                                    ", total;dur=" + milliseconds(since(start)));
}

std::string Portal::runPage(PortalPages::RunView view, const std::string& folder) const {
  Layout layout;
  if (view.outcome.kind == RunOutcome::kWritten) {
    try {
      layout = LayoutBuilder::build(
          ReportFiles::read(stemOf(folder, *view.report, view.instance->id) + ".steering.json"));
      view.layout = &layout;
    } catch (const WorkbookError& e) {
      view.problem = e.what();
    }
  }
  return pages_.run(view);
}

std::string Portal::runPage(const RunArchive::Run& run) const {
  return runPage(PortalPages::RunView(&run.report, network_.find(run.instanceId), run.outcome,
                                      run.seconds, "/runs/" + std::to_string(run.number)),
                 run.folder);
}

std::shared_ptr<const RunArchive::Run> Portal::runOf(const Request& q, Response& r) const {
  int number = 0;
  if (!parseNumber(q.matches[1], number)) {
    fail(r, 400, "Not a run number: " + std::string(q.matches[1]));
    return nullptr;
  }
  std::shared_ptr<const RunArchive::Run> run = archive_.run(number);
  if (!run) fail(r, 404, "No run " + std::to_string(number) + " is kept");
  return run;
}

void Portal::keptRun(const Request& q, Response& r) const {
  std::shared_ptr<const RunArchive::Run> run = runOf(q, r);
  if (!run) return;
  r.set_content(runPage(*run), kHtml);
}

void Portal::runFile(const Request& q, Response& r) const {
  std::shared_ptr<const RunArchive::Run> run = runOf(q, r);
  if (!run) return;
  if (run->outcome.kind != RunOutcome::kWritten) {
    return fail(r, 404,
                "Run " + std::to_string(run->number) + " wrote no files: " + run->outcome.message);
  }
  sendFile(r, run->report, run->instanceId, run->folder, q.matches[2]);
}

void Portal::sendFile(Response& r, const ReportCatalogue::Entry& report, int instanceId,
                      const std::string& folder, const std::string& kind) const {
  std::string stem = stemOf(folder, report, instanceId);
  std::string path, type;
  if (kind == "steering") {
    path = stem + ".steering.json";
    type = kJson;
  } else if (kind == "text") {
    // The report text is the stream that reading the run's files has read already.
    try {
      ReportFiles files = ReportFiles::read(stem + ".steering.json");
      std::string dataFile =
          files.has("PFDataFileName") ? files.value("PFDataFileName") : files.value("CRSDataFile");
      if (dataFile.empty())
        return fail(r, 404, "The report " + report.name + " writes no report text");
      return attach(r, dataFile, files.stream(), "text/plain; charset=utf-8");
    } catch (const WorkbookError& e) {
      return fail(r, 500, e.what());
    }
  } else {
    try {
      path = workbookOf(stem);
    } catch (const WorkbookError& e) {
      return fail(r, 500, e.what());
    }
    type = path.compare(path.size() - 5, 5, ".xlsm") == 0
               ? "application/vnd.ms-excel.sheet.macroEnabled.12"
               : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
  }
  bool found = false;
  std::string bytes = readWhole(path, found);
  if (!found) return fail(r, 404, "The run has no such file");
  attach(r, path.substr(path.rfind('/') + 1), bytes, type.c_str());
}

std::string Portal::workbookOf(const std::string& stem) const {
  for (const char* extension : {".xlsx", ".xlsm"}) {
    if (exists(stem + extension)) return stem + extension;
  }
  // Made under a name of its own, so that requests for the same workbook at
  // the same time never write one file; the last rename wins with the same bytes.
  std::string making = stem + ".making-" + std::to_string(++workbooksMade_);
  WorkbookMaker::Made made = workbooks_.make(ReportFiles::read(stem + ".steering.json"), making);
  std::string path = stem + made.path.substr(making.size());
  if (std::rename(made.path.c_str(), path.c_str()) != 0) {
    std::remove(made.path.c_str());
    throw WorkbookError("Cannot rename " + made.path + " to " + path);
  }
  return path;
}

void Portal::startBatch(const Request& q, Response& r) {
  std::string name = q.get_param_value("report");
  const ReportCatalogue::Entry* report = reports_.find(name);
  if (!report) return fail(r, 404, "Unknown report: " + name);
  std::vector<int> instances = network_.idsOf(report->entity);
  if (instances.empty()) return fail(r, 400, "The network holds no " + report->entity);
  size_t unfinished = 0;
  for (const auto& b : archive_.batches()) unfinished += b->progress().finished() ? 0 : 1;
  if (unfinished >= kMaxUnfinishedBatches) {
    r.set_header("Retry-After", kRetryAfterSeconds);
    return fail(r, 503,
                std::to_string(unfinished) +
                    " batches are running already; start this one when one has finished");
  }
  std::shared_ptr<BatchRun> batch = archive_.newBatch(*report, instances);
  pool_->addBatch(batch);
  r.set_redirect("/batches/" + std::to_string(batch->number()), 303);
}

std::shared_ptr<BatchRun> Portal::batchOf(const Request& q, Response& r) const {
  int number = 0;
  if (!parseNumber(q.matches[1], number)) {
    fail(r, 400, "Not a batch number: " + std::string(q.matches[1]));
    return nullptr;
  }
  std::shared_ptr<BatchRun> batch = archive_.batch(number);
  if (!batch) fail(r, 404, "No batch " + std::to_string(number));
  return batch;
}

std::shared_ptr<BatchRun> Portal::itemOf(const Request& q, Response& r,
                                         BatchRun::Item& item) const {
  std::shared_ptr<BatchRun> batch = batchOf(q, r);
  if (!batch) return nullptr;
  int id = 0;
  if (!parseNumber(q.matches[2], id)) {
    fail(r, 400, "Not an instance id: " + std::string(q.matches[2]));
    return nullptr;
  }
  std::string which = "Batch " + std::to_string(batch->number());
  if (!batch->find(id, item)) {
    fail(r, 404, which + " has no instance " + std::to_string(id));
    return nullptr;
  }
  if (!item.done) {
    fail(r, 404, which + " has not run instance " + std::to_string(id) + " yet");
    return nullptr;
  }
  return batch;
}

void Portal::batchPage(const Request& q, Response& r) const {
  std::shared_ptr<BatchRun> batch = batchOf(q, r);
  if (!batch) return;
  int page = 0;
  if (q.has_param("page") && !parseNumber(q.get_param_value("page"), page)) {
    return fail(r, 400, "Not a page number: " + q.get_param_value("page"));
  }
  r.set_content(pages_.batch(*batch, q.get_param_value("show") == "problems", page), kHtml);
}

void Portal::batchProgress(const Request& q, Response& r) const {
  std::shared_ptr<BatchRun> batch = batchOf(q, r);
  if (!batch) return;
  BatchRun::Progress p = batch->progress();
  r.set_content(json({{"total", p.total},
                      {"done", p.done},
                      {"written", p.outcomes.written},
                      {"skipped", p.outcomes.skipped},
                      {"messages", p.outcomes.messages},
                      {"failed", p.outcomes.failed},
                      {"seconds", p.seconds}}),
                kJson);
}

void Portal::batchItem(const Request& q, Response& r) const {
  BatchRun::Item item;
  std::shared_ptr<BatchRun> batch = itemOf(q, r, item);
  if (!batch) return;
  RunOutcome outcome;
  outcome.kind = item.kind;
  outcome.message = item.message;
  PortalPages::RunView view(
      &batch->report(), network_.find(item.instanceId), std::move(outcome), -1,
      "/batches/" + std::to_string(batch->number()) + "/" + std::to_string(item.instanceId));
  r.set_content(runPage(std::move(view), batch->folder()), kHtml);
}

void Portal::batchFile(const Request& q, Response& r) const {
  BatchRun::Item item;
  std::shared_ptr<BatchRun> batch = itemOf(q, r, item);
  if (!batch) return;
  if (item.kind != RunOutcome::kWritten) {
    return fail(r, 404,
                "Batch " + std::to_string(batch->number()) + " wrote no files for instance " +
                    std::to_string(item.instanceId) + ": " + item.message);
  }
  sendFile(r, batch->report(), item.instanceId, batch->folder(), q.matches[3]);
}

void Portal::fills(const Request& q, Response& r) const {
  try {
    r.set_content(ReportView::fillStylesheet(q.get_param_value("c")), "text/css; charset=utf-8");
  } catch (const std::invalid_argument& e) {
    fail(r, 400, e.what());
  }
}

void Portal::login(const Request& q, Response& r) const {
  if (!guard_.isToken(q.get_param_value("token"))) {
    r.status = 401;
    r.set_content(pages_.login(guard_.needsToken() ? "That is not the portal's token."
                                                   : "This portal needs no token."),
                  kHtml);
    return;
  }
  r.set_header("Set-Cookie", guard_.sessionCookie());
  r.set_redirect("/", 303);
}
