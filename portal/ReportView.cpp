#include "portal/ReportView.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "portal/Html.h"

namespace {
const char* styleClass(Layout::Cell::Style style) {
  switch (style) {
    case Layout::Cell::kValue: return "s-value";
    case Layout::Cell::kTitle: return "s-title";
    case Layout::Cell::kLabel: return "s-label";
    case Layout::Cell::kHeader: return "s-header";
    case Layout::Cell::kUnit: return "s-unit";
    case Layout::Cell::kNote: return "s-note";
    default: return "";
  }
}
const char kHexDigits[] = "0123456789abcdef";

std::string hexColour(uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%06x", colour & 0xffffffu);
  return text;
}

// Text with its line breaks as <br>.
std::string lines(const std::string& text) {
  std::string html = Html::escape(text);
  for (size_t at = 0; (at = html.find('\n', at)) != std::string::npos; at += 4) {
    html.replace(at, 1, "<br>");
  }
  return html;
}

bool folded(Layout::Sheet::Kind kind) {
  return kind == Layout::Sheet::kData || kind == Layout::Sheet::kSteering ||
         kind == Layout::Sheet::kIndex;
}

// Tables in reading order, grouped into bands of tables that share rows.
std::vector<std::vector<const Layout::Table*>> bands(const std::vector<Layout::Table>& tables) {
  std::vector<const Layout::Table*> order;
  for (const Layout::Table& t : tables) order.push_back(&t);
  std::stable_sort(order.begin(), order.end(), [](const Layout::Table* a, const Layout::Table* b) {
    return a->row != b->row ? a->row < b->row : a->column < b->column;
  });
  std::vector<std::vector<const Layout::Table*>> grouped;
  int bandEnd = 0;
  for (const Layout::Table* t : order) {
    if (grouped.empty() || t->row >= bandEnd) grouped.emplace_back();
    grouped.back().push_back(t);
    bandEnd = std::max(bandEnd, t->row + t->height());
  }
  for (auto& band : grouped) {
    std::stable_sort(band.begin(), band.end(), [](const Layout::Table* a, const Layout::Table* b) {
      return a->column < b->column;
    });
  }
  return grouped;
}
}  // namespace

std::string ReportView::render(const Layout& layout, std::set<uint32_t>& fills) {
  std::string contents = "<nav class=\"sheets\" aria-label=\"Sheets\">";
  std::string html;
  for (size_t i = 0; i < layout.sheets.size(); ++i) {
    std::string id = "sheet-" + std::to_string(i + 1);
    contents += "<a href=\"#" + id + "\">" + Html::escape(layout.sheets[i].name) + "</a>";
    html += sheet(layout.sheets[i], id, fills);
  }
  return contents + "</nav>\n" + html;
}

std::string ReportView::sheet(const Layout::Sheet& sheet, const std::string& id,
                              std::set<uint32_t>& fills) {
  std::string body;
  for (const auto& band : bands(sheet.tables)) {
    body += "<div class=\"band\">";
    for (const Layout::Table* t : band) body += table(*t, fills);
    body += "</div>\n";
  }
  std::string name = Html::escape(sheet.name);
  if (folded(sheet.kind)) {
    return "<details class=\"sheet\" id=\"" + id + "\"><summary>" + name + "</summary>\n" + body +
           "</details>\n";
  }
  return "<section class=\"sheet\" id=\"" + id + "\"><h2>" + name + "</h2>\n" + body +
         "</section>\n";
}

std::string ReportView::table(const Layout::Table& table, std::set<uint32_t>& fills) {
  int width = table.width();
  // A table whose text may run over its columns (title block, text lines) is
  // drawn without rules.
  std::string html = table.fitted < width ? "<div class=\"scroll\"><table class=\"loose\">"
                                          : "<div class=\"scroll\"><table>";
  if (!table.caption.empty()) html += "<caption>" + Html::escape(table.caption) + "</caption>";
  auto rows = [&](const std::vector<Layout::Row>& rows, bool header) {
    for (const Layout::Row& row : rows) {
      if (row.empty()) {
        html += "<tr class=\"blank\"><td colspan=\"" + std::to_string(std::max(width, 1)) +
                "\"></td></tr>";
        continue;
      }
      html += "<tr>";
      for (const Layout::Cell& c : row) html += cell(c, header, fills);
      for (int i = static_cast<int>(row.size()); i < width; ++i)
        html += header ? "<th></th>" : "<td></td>";
      html += "</tr>";
    }
  };
  if (!table.header.empty()) {
    html += "<thead>";
    rows(table.header, true);
    html += "</thead>";
  }
  html += "<tbody>";
  rows(table.body, false);
  return html + "</tbody></table></div>";
}

std::string ReportView::cell(const Layout::Cell& cell, bool header, std::set<uint32_t>& fills) {
  std::string classes = styleClass(cell.style);
  if (cell.kind == Layout::Cell::kNumber) classes += classes.empty() ? "num" : " num";
  if (cell.fill != 0) {
    fills.insert(cell.fill & 0xffffffu);
    classes += (classes.empty() ? "f-" : " f-") + hexColour(cell.fill);
  }
  const char* tag = header ? "th" : "td";
  std::string html = std::string("<") + tag;
  if (!classes.empty()) html += " class=\"" + classes + "\"";
  return html + ">" + lines(cell.text) + "</" + tag + ">";
}

std::string ReportView::fillList(const std::set<uint32_t>& fills) {
  std::string list;
  for (uint32_t fill : fills) list += (list.empty() ? "" : ".") + hexColour(fill);
  return list;
}

std::string ReportView::fillStylesheet(const std::string& fillList) {
  std::string css;
  size_t count = 0;
  for (size_t start = 0; start <= fillList.size(); start += 7) {
    std::string colour = fillList.substr(start, 6);
    bool last = start + 6 == fillList.size();
    if (colour.size() != 6 || colour.find_first_not_of(kHexDigits) != std::string::npos ||
        (!last && fillList[start + 6] != '.') || ++count > kMaxFills) {
      throw std::invalid_argument("Not a list of colours: " + fillList);
    }
    css += ".f-" + colour + " { background: #" + colour + "; }\n";
    if (last) break;
  }
  return css;
}
