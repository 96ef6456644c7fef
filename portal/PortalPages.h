// PortalPages: the portal's HTML pages, rendered on the server from what a
// route found: the home page (search, the reports, the batches), an
// element's page, a report run, a batch's index, the login form and the
// error page. Every text from the database, the report files or the request
// is escaped. Pages link the stylesheet and the one script; none holds inline
// script or style. Reads the catalogues it is given; safe from any thread.
#ifndef TARNEL_PORTAL_PORTALPAGES_H_
#define TARNEL_PORTAL_PORTALPAGES_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/NetworkCatalogue.h"
#include "host/ReportCatalogue.h"
#include "host/ReportSession.h"
#include "portal/BatchRun.h"
#include "workbook/Layout.h"

class PortalPages {
 public:
  // One run of a report for an instance, and where its files are served.
  struct RunView {
    RunView(const ReportCatalogue::Entry* report, const NetworkCatalogue::Instance* instance,
            RunOutcome outcome, double seconds, std::string base)
        : report(report),
          instance(instance),
          outcome(std::move(outcome)),
          seconds(seconds),
          base(std::move(base)) {}

    const ReportCatalogue::Entry* report = nullptr;
    const NetworkCatalogue::Instance* instance = nullptr;
    RunOutcome outcome;
    double seconds = -1;             // the report's run time; < 0: not known
    std::string base;                // the run's address: "/runs/7", "/batches/2/1000004"
    const Layout* layout = nullptr;  // the report laid out; null when there is none
    std::string problem;             // why a written report cannot be shown
  };

  static const size_t kBatchPageSize = 200;

  // Both catalogues must outlive the pages.
  PortalPages(const ReportCatalogue& reports, const NetworkCatalogue& network);

  // The search form (with `found` listed when not null), the reports with
  // their batch buttons, and the batches.
  std::string home(const std::string& query, const std::string& entity,
                   const NetworkCatalogue::SearchResult* found,
                   const std::vector<std::shared_ptr<BatchRun>>& batches) const;
  std::string element(const NetworkCatalogue::Instance& instance,
                      const std::vector<NetworkCatalogue::Neighbours>& neighbours) const;
  std::string run(const RunView& view) const;
  // The batch's progress and its instances, page `page` (from 0).
  std::string batch(const BatchRun& batch, bool problemsOnly, size_t page) const;
  std::string login(const std::string& problem) const;
  std::string error(int status, const std::string& message) const;

 private:
  std::string page(const std::string& title, const std::string& body,
                   const std::string& head = "") const;
  std::string instanceName(int id) const;

  const ReportCatalogue& reports_;
  const NetworkCatalogue& network_;
  std::map<std::string, size_t> instanceCounts_;  // the network's instances of each entity
};

#endif  // TARNEL_PORTAL_PORTALPAGES_H_
