// ReportView: a report's layout (workbook/Layout.h) as HTML, for the portal's
// report page: each sheet a section, its tables in reading order (tables that
// share rows side by side), cells with their styles as classes and their
// fills as classes "f-rrggbb" that fillStylesheet() defines, so that the page
// needs no inline style. Every text is escaped. Stateless.
#ifndef TARNEL_PORTAL_REPORTVIEW_H_
#define TARNEL_PORTAL_REPORTVIEW_H_

#include <cstdint>
#include <set>
#include <string>

#include "workbook/Layout.h"

class ReportView {
 public:
  // A list of the sheets, then the sheets of `layout`, each with the id
  // "sheet-<n>" (from 1): the report and the pictures open, the Data and
  // Steering sheets folded. Adds the fills used to `fills`.
  static std::string render(const Layout& layout, std::set<uint32_t>& fills);
  // The fills as the query value of the fill stylesheet's link ("1a2b3c.ffcc00").
  static std::string fillList(const std::set<uint32_t>& fills);
  // The stylesheet for a fill list. Throws std::invalid_argument when the
  // list is not one of at most kMaxFills colours of six lower-case hex digits.
  static std::string fillStylesheet(const std::string& fillList);

  static const size_t kMaxFills = 256;

 private:
  static std::string sheet(const Layout::Sheet& sheet, const std::string& id,
                           std::set<uint32_t>& fills);
  static std::string table(const Layout::Table& table, std::set<uint32_t>& fills);
  static std::string cell(const Layout::Cell& cell, bool header, std::set<uint32_t>& fills);
};

#endif  // TARNEL_PORTAL_REPORTVIEW_H_
