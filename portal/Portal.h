// Portal: the report portal (tarnel-report serve): an HTTP server whose pages
// let a user find a network element, run a report of the catalogue for it,
// read it laid out as in its workbook and download its files, and run a
// report over every element of an entity in the background. Reports run in
// one RunPool through the host code that `run` and `batch` use. Every request
// passes the AccessGuard first; report names come from the catalogue, ids
// must be integers, no request names a file, and every text is escaped.
// The constructor loads everything and throws KvException for bad options;
// serve() and stop() may be called from different threads.
#ifndef TARNEL_PORTAL_PORTAL_H_
#define TARNEL_PORTAL_PORTAL_H_

#include <atomic>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "host/NetworkCatalogue.h"
#include "host/ReportCatalogue.h"
#include "host/StreamLogUser.h"
#include "portal/AccessGuard.h"
#include "portal/PortalPages.h"
#include "portal/RunArchive.h"
#include "portal/RunPool.h"
#include "workbook/WorkbookMaker.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

struct PortalOptions {
  std::string database;  // a SQLite file (opened read-only) or a postgresql:// URI
  std::string reports;   // the folder of catalogue.tsv and the configurations it lists
  std::vector<std::string> queries;
  std::string templates;  // the folder of template workbooks; "": generated workbooks
  std::string listen = "127.0.0.1:8080";  // host:port; port 0 picks a free one
  std::string tokenFile;                  // "": no token (then only a loopback address is allowed)
  int workers = 2;
  int queue = 16;  // single runs that may wait for a worker
  // The report classes the catalogue's configurations name; null: the
  // built-in library's. It must outlive the portal.
  const ReportRegistry* registry = nullptr;
};

class Portal {
 public:
  explicit Portal(const PortalOptions& options);
  ~Portal();
  Portal(const Portal&) = delete;
  Portal& operator=(const Portal&) = delete;

  // Binds the address; returns the port. Throws KvException when it cannot.
  int bind();
  // Serves requests until stop() is called. bind() first.
  void serve();
  void stop();
  // "http://host:port/" once bound.
  std::string url() const;
  // Report runs started so far (single and batch).
  long runsStarted() const { return pool_->runsStarted(); }

  // Blocks SIGINT and SIGTERM, makes the portal, binds, writes its address to
  // `out`, and serves until one of those signals arrives. Returns 0; throws
  // KvException for bad options or an address it cannot bind.
  static int serveUntilSignal(const PortalOptions& options, std::ostream& out);

 private:
  typedef httplib::Request Request;
  typedef httplib::Response Response;

  struct Address {
    std::string host;  // without brackets
    int port = 0;      // 0 until bound, when the address asked for any port
  };
  // `options` when its numbers are fit; else throws KvException.
  static const PortalOptions& checked(const PortalOptions& options);
  // The host and port of `listen`; throws KvException when it is not
  // host:port, or names no loopback address and `guard` holds no token.
  static Address addressOf(const std::string& listen, const AccessGuard& guard);

  void routes();
  bool admit(const Request& request, Response& response) const;
  void fail(Response& response, int status, const std::string& message) const;

  void home(const Request& request, Response& response) const;
  void search(const Request& request, Response& response) const;
  void element(const Request& request, Response& response);
  void report(const Request& request, Response& response);
  void keptRun(const Request& request, Response& response) const;
  void runFile(const Request& request, Response& response) const;
  void startBatch(const Request& request, Response& response);
  void batchPage(const Request& request, Response& response) const;
  void batchProgress(const Request& request, Response& response) const;
  void batchItem(const Request& request, Response& response) const;
  void batchFile(const Request& request, Response& response) const;
  void fills(const Request& request, Response& response) const;
  void login(const Request& request, Response& response) const;

  // The instance, the kept run, the batch, the done item of a batch that the
  // request's matches name; null after answering 400 or 404.
  const NetworkCatalogue::Instance* instanceOf(const Request& request, Response& response,
                                               size_t match) const;
  std::shared_ptr<const RunArchive::Run> runOf(const Request& request, Response& response) const;
  std::shared_ptr<BatchRun> batchOf(const Request& request, Response& response) const;
  std::shared_ptr<BatchRun> itemOf(const Request& request, Response& response,
                                   BatchRun::Item& item) const;

  // The page of the run `view` shows, whose files are in `folder`.
  std::string runPage(PortalPages::RunView view, const std::string& folder) const;
  // The page of a kept single run.
  std::string runPage(const RunArchive::Run& run) const;
  void sendFile(Response& response, const ReportCatalogue::Entry& report, int instanceId,
                const std::string& folder, const std::string& kind) const;
  // The workbook of the run whose files are `stem`.*, made on first demand.
  // Throws WorkbookError.
  std::string workbookOf(const std::string& stem) const;

  PortalOptions options_;
  AccessGuard guard_;
  Address address_;
  ReportCatalogue reports_;
  NetworkCatalogue network_;
  StreamLogUser log_;
  WorkbookMaker workbooks_;
  mutable std::atomic<long> workbooksMade_{0};
  RunArchive archive_;
  PortalPages pages_;
  std::unique_ptr<RunPool> pool_;
  std::unique_ptr<httplib::Server> server_;
};

#endif  // TARNEL_PORTAL_PORTAL_H_
