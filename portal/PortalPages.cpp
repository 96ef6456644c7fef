#include "portal/PortalPages.h"

#include <cstdio>
#include <set>

#include "portal/Html.h"
#include "portal/ReportView.h"

namespace {
const char kProduct[] = "tarnel-report";

std::string esc(const std::string& text) { return Html::escape(text); }
std::string num(long long n) { return std::to_string(n); }

std::string link(const std::string& href, const std::string& text, const char* cls = nullptr) {
  std::string a = "<a href=\"" + esc(href) + "\"";
  if (cls) a += std::string(" class=\"") + cls + "\"";
  return a + ">" + esc(text) + "</a>";
}

std::string elementLink(const NetworkCatalogue::Instance& instance) {
  return link("/element/" + num(instance.id), instance.name);
}

std::string milliseconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, seconds < 0.01 ? "%.1f ms" : "%.0f ms", seconds * 1000);
  return text;
}

std::string outcomeBox(const RunOutcome& outcome) {
  static const char* const kTitle[] = {"", "The report failed", "A message from the report",
                                       "The instance was skipped", "The instance cannot be run"};
  std::string text = outcome.message;
  for (const std::string& context : outcome.contexts) text += "\n" + context;
  std::string cls = RunOutcome::word(outcome.kind);
  return "<div class=\"outcome " + cls + "\" role=\"status\"><strong>" + kTitle[outcome.kind] +
         ":</strong> " + esc(text) + "</div>\n";
}

std::string searchResults(const NetworkCatalogue::SearchResult& found) {
  std::string html;
  for (const NetworkCatalogue::Instance* m : found.matches) {
    html += "<li>" + elementLink(*m) + "<span class=\"meta\">" + esc(m->entity) + " \xc2\xb7 " +
            esc(m->mapName) + " \xc2\xb7 " + num(m->id) + "</span></li>\n";
  }
  return html;
}

std::string foundCount(const NetworkCatalogue::SearchResult& found) {
  if (found.total == 0) return "Nothing found.";
  if (found.total > found.matches.size()) {
    return num(found.total) + " found; the first " + num(found.matches.size()) + " shown.";
  }
  return num(found.total) + " found.";
}
}  // namespace

PortalPages::PortalPages(const ReportCatalogue& reports, const NetworkCatalogue& network)
    : reports_(reports), network_(network) {
  // The catalogue does not change while the portal runs: the home page's
  // counts are taken once, not by a pass over every instance per report.
  for (const std::string& entity : network_.entities()) {
    instanceCounts_[entity] = network_.idsOf(entity).size();
  }
}

std::string PortalPages::page(const std::string& title, const std::string& body,
                              const std::string& head) const {
  std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">";
  html += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">";
  html += "<title>" + esc(title) + " \xe2\x80\x94 " + kProduct + "</title>";
  html += "<link rel=\"stylesheet\" href=\"/static/portal.css\">" + head;
  html += "<script src=\"/static/portal.js\" defer></script></head>\n<body>";
  html +=
      "<header class=\"top\"><a class=\"home\" href=\"/\">" + std::string(kProduct) + " portal</a>";
  html += "<a href=\"/#reports\">Reports</a><a href=\"/#batches\">Batches</a></header>\n";
  return html + "<main>\n" + body + "</main></body></html>\n";
}

std::string PortalPages::instanceName(int id) const {
  const NetworkCatalogue::Instance* instance = network_.find(id);
  return instance ? instance->name : "";
}

std::string PortalPages::home(const std::string& query, const std::string& entity,
                              const NetworkCatalogue::SearchResult* found,
                              const std::vector<std::shared_ptr<BatchRun>>& batches) const {
  std::string body =
      "<h1>Find a network element</h1>\n"
      "<form id=\"search\" class=\"search\" action=\"/\" method=\"get\" role=\"search\">"
      "<input type=\"search\" name=\"q\" value=\"" +
      esc(query) +
      "\" placeholder=\"Name, map name or id\" aria-label=\"Name, map name or id\" "
      "autocomplete=\"off\" autofocus maxlength=\"100\">"
      "<select name=\"entity\" aria-label=\"Entity\"><option value=\"\">Any entity</option>";
  for (const std::string& e : network_.entities()) {
    body += "<option" + std::string(e == entity ? " selected" : "") + ">" + esc(e) + "</option>";
  }
  body +=
      "</select><button type=\"submit\">Search</button></form>\n<p id=\"count\" class=\"meta\">" +
      (found ? foundCount(*found) : "") + "</p>\n<ol id=\"results\" class=\"results\">" +
      (found ? searchResults(*found) : "") + "</ol>\n";

  body +=
      "<h2 id=\"reports\">Reports</h2>\n<div class=\"scroll\"><table><thead><tr><th>Report</th>"
      "<th>Entity</th><th>Class</th><th>Every element</th></tr></thead><tbody>\n";
  for (const ReportCatalogue::Entry& r : reports_.entries()) {
    auto counted = instanceCounts_.find(r.entity);
    size_t count = counted == instanceCounts_.end() ? 0 : counted->second;
    body += "<tr><td>" + esc(r.title) + "<br><span class=\"meta\">" + esc(r.name) +
            "</span></td><td>" + esc(r.entity) + "</td><td>" + esc(r.className) + "</td><td>";
    if (count > 0) {
      body +=
          "<form method=\"post\" action=\"/batches\"><input type=\"hidden\" name=\"report\" "
          "value=\"" +
          esc(r.name) + "\"><button type=\"submit\">Run for all " + num(count) + "</button></form>";
    } else {
      body += "<span class=\"meta\">no " + esc(r.entity) + " in the network</span>";
    }
    body += "</td></tr>\n";
  }
  body += "</tbody></table></div>\n<h2 id=\"batches\">Batches</h2>\n";
  if (batches.empty()) body += "<p class=\"meta\">None since the portal started.</p>\n";
  body += "<ul class=\"plain\">";
  for (const auto& b : batches) {
    BatchRun::Progress p = b->progress();
    body += "<li>" + link("/batches/" + num(b->number()), "Batch " + num(b->number())) + ": " +
            esc(b->report().title) + " <span class=\"meta\">" + num(p.done) + " of " +
            num(p.total) + (p.finished() ? " done" : " running") + "; " + num(p.outcomes.failed) +
            " failed, " + num(p.outcomes.messages) + " messages, " + num(p.outcomes.skipped) +
            " skipped</span></li>";
  }
  return page("Search", body + "</ul>\n");
}

std::string PortalPages::element(
    const NetworkCatalogue::Instance& instance,
    const std::vector<NetworkCatalogue::Neighbours>& neighbours) const {
  std::string body = "<h1>" + esc(instance.name) + "</h1>\n<p class=\"meta\">" +
                     esc(instance.entity) + " \xc2\xb7 id " + num(instance.id) +
                     " \xc2\xb7 map name " + esc(instance.mapName) + " \xc2\xb7 " +
                     esc(instance.mapLabel) + "</p>\n<h2>Reports</h2>\n";
  std::vector<const ReportCatalogue::Entry*> matching = reports_.forEntity(instance.entity);
  if (matching.empty()) {
    body += "<p class=\"meta\">No report of the catalogue reports on a " + esc(instance.entity) +
            ".</p>\n";
  }
  body += "<ul class=\"plain\">";
  for (const ReportCatalogue::Entry* r : matching) {
    body += "<li>" + link("/report/" + r->name + "/" + num(instance.id), r->title, "button") +
            " <span class=\"meta\">" + esc(r->name) + " \xc2\xb7 " + esc(r->className) +
            "</span></li>";
  }
  body += "</ul>\n";
  if (!neighbours.empty()) body += "<h2>Related elements</h2>\n";
  for (const NetworkCatalogue::Neighbours& group : neighbours) {
    body += "<h3>" + esc(group.relation) + "</h3><ul class=\"inline\">";
    for (const NetworkCatalogue::Instance* n : group.instances) {
      body += "<li>" + elementLink(*n) + "</li>";
    }
    body += "</ul>\n";
  }
  return page(instance.name, body);
}

std::string PortalPages::run(const RunView& view) const {
  const ReportCatalogue::Entry& report = *view.report;
  const NetworkCatalogue::Instance& instance = *view.instance;
  std::string body = "<h1>" + esc(report.title) + ": " + esc(instance.name) +
                     "</h1>\n<p class=\"meta\">" + esc(report.name) + " \xc2\xb7 " +
                     esc(report.className) + " \xc2\xb7 " + esc(instance.entity) + " " +
                     num(instance.id);
  if (view.seconds >= 0) body += " \xc2\xb7 ran in " + milliseconds(view.seconds);
  body += "</p>\n<div class=\"links\">";
  if (view.outcome.kind == RunOutcome::kWritten) {
    body += link(view.base + "/workbook", "Workbook", "button") +
            link(view.base + "/text", "Report text", "button") +
            link(view.base + "/steering", "Steering data", "button");
  }
  body += link("/report/" + report.name + "/" + num(instance.id), "Run again", "button quiet") +
          link("/element/" + num(instance.id), instance.name, "button quiet") + "</div>\n";
  std::string head;
  if (view.outcome.kind != RunOutcome::kWritten) {
    body += outcomeBox(view.outcome);
  } else if (!view.problem.empty()) {
    body +=
        "<div class=\"outcome failed\" role=\"status\"><strong>The report's files cannot be shown:"
        "</strong> " +
        esc(view.problem) + "</div>\n";
  } else if (view.layout) {
    std::set<uint32_t> fills;
    body += ReportView::render(*view.layout, fills);
    if (!fills.empty()) {
      head = "<link rel=\"stylesheet\" href=\"/fills.css?c=" + ReportView::fillList(fills) + "\">";
    }
  }
  return page(report.title + ": " + instance.name, body, head);
}

std::string PortalPages::batch(const BatchRun& batch, bool problemsOnly, size_t pageNumber) const {
  BatchRun::Progress p = batch.progress();
  const ReportCatalogue::Entry& report = batch.report();
  std::string base = "/batches/" + num(batch.number());
  std::string body = "<h1>Batch " + num(batch.number()) + ": " + esc(report.title) + "</h1>\n";
  body += "<p class=\"meta\">" + esc(report.name) + " \xc2\xb7 " + esc(report.className) +
          " \xc2\xb7 every " + esc(report.entity) + " of the network \xc2\xb7 " +
          (p.finished() ? "finished in " : "running for ") + milliseconds(p.seconds) + "</p>\n";
  body += "<progress id=\"batch-progress\" max=\"" + num(p.total) + "\" value=\"" + num(p.done) +
          "\" data-url=\"" + base + "/progress\">" + num(p.done) + " of " + num(p.total) +
          "</progress>\n";
  body += "<p class=\"counts\"><span><b id=\"count-done\">" + num(p.done) + "</b> of " +
          num(p.total) + " done</span>";
  const std::pair<const char*, int> counts[] = {{"written", p.outcomes.written},
                                                {"skipped", p.outcomes.skipped},
                                                {"messages", p.outcomes.messages},
                                                {"failed", p.outcomes.failed}};
  for (const auto& c : counts) {
    body += std::string("<span><b id=\"count-") + c.first + "\">" + num(c.second) + "</b> " +
            c.first + "</span>";
  }
  body += "</p>\n<p>";
  body += problemsOnly
              ? link(base, "Every instance") + " \xc2\xb7 <b>Problems only</b>"
              : "<b>Every instance</b> \xc2\xb7 " + link(base + "?show=problems", "Problems only");
  body += "</p>\n";
  size_t matches = 0;
  std::vector<BatchRun::Item> items =
      batch.items(problemsOnly, pageNumber * kBatchPageSize, kBatchPageSize, matches);
  body +=
      "<div class=\"scroll\"><table "
      "class=\"index\"><thead><tr><th>Id</th><th>Name</th><th>Outcome</th>"
      "<th>Message</th><th>Files</th></tr></thead><tbody>\n";
  for (const BatchRun::Item& item : items) {
    std::string at = base + "/" + num(item.instanceId);
    std::string word = item.done ? RunOutcome::word(item.kind) : "waiting";
    body += "<tr><td class=\"num\">" + num(item.instanceId) + "</td><td>" +
            link("/element/" + num(item.instanceId), instanceName(item.instanceId)) +
            "</td><td class=\"outcome-" + word + "\">" + word + "</td><td>" + esc(item.message) +
            "</td><td>";
    if (item.done) body += link(at, "view");
    if (item.done && item.kind == RunOutcome::kWritten) {
      body += " \xc2\xb7 " + link(at + "/text", "text") + " \xc2\xb7 " +
              link(at + "/steering", "steering");
    }
    body += "</td></tr>\n";
  }
  body += "</tbody></table></div>\n<p class=\"pages\">";
  std::string query = problemsOnly ? "?show=problems&page=" : "?page=";
  size_t pages = (matches + kBatchPageSize - 1) / kBatchPageSize;
  if (pageNumber > 0) body += link(base + query + num(pageNumber - 1), "\xe2\x86\x90 Previous");
  if (pages > 1) body += "<span>Page " + num(pageNumber + 1) + " of " + num(pages) + "</span>";
  if (pageNumber + 1 < pages) body += link(base + query + num(pageNumber + 1), "Next \xe2\x86\x92");
  return page("Batch " + num(batch.number()), body + "</p>\n");
}

std::string PortalPages::login(const std::string& problem) const {
  std::string body = "<h1>Sign in</h1>\n<p>This portal needs its access token.</p>\n";
  if (!problem.empty())
    body += "<div class=\"outcome failed\" role=\"alert\">" + esc(problem) + "</div>\n";
  body +=
      "<form class=\"search\" method=\"post\" action=\"/login\">"
      "<input type=\"password\" name=\"token\" aria-label=\"Access token\" "
      "autocomplete=\"current-password\" autofocus>"
      "<button type=\"submit\">Sign in</button></form>\n";
  return page("Sign in", body);
}

std::string PortalPages::error(int status, const std::string& message) const {
  std::string body = "<h1>" + num(status) + "</h1>\n<div class=\"outcome failed\" role=\"alert\">" +
                     esc(message) + "</div>\n<p>" + link("/", "Back to the search") + "</p>\n";
  return page("Error " + num(status), body);
}
