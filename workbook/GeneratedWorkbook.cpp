#include "workbook/GeneratedWorkbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <tuple>
#include <vector>

#include "workbook/DataSheet.h"
#include "workbook/WorkbookError.h"
#include "workbook/XlsxWorkingMemory.h"

namespace {
typedef Layout::Cell Cell;
typedef Layout::Table Table;

const uint32_t kHeaderFill = 0xD6DCE4;
const uint32_t kNoteColour = 0x595959;
const uint32_t kLinkColour = 0x0563C1;
const double kTitleSize = 14;
const double kLineHeight = 15;     // points per line of a wrapped cell
const double kTitleHeight = 21;
const double kMinWidth = 6, kMaxWidth = 60;
// General format shows at most 11 digits; longer whole numbers get "0".
const size_t kGeneralDigits = 11;

size_t lineCount(const std::string& text) { return 1 + std::count(text.begin(), text.end(), '\n'); }

// Characters (not bytes) of the longest line.
size_t longestLine(const std::string& text) {
  size_t longest = 0, length = 0;
  for (unsigned char c : text) {
    if (c == '\n') {
      longest = std::max(longest, length);
      length = 0;
    } else if ((c & 0xC0) != 0x80) {
      ++length;
    }
  }
  return std::max(longest, length);
}

// One worksheet of the workbook being written, and the formats it needs
// (shared by the workbook: equal keys, one format).
// What a cell's format is made of: cells that look alike share one format.
struct Look {
  int style = Cell::kPlain;
  uint32_t fill = 0;
  int decimals = 0;
  bool wrapped = false;      // several lines
  bool wholeNumber = false;  // too long for the General format
  bool bold = false;         // a unit's name alone
  bool link = false;
  bool number = false;       // to the right, a space from the next column
  bool right = false;        // a heading over numbers

  bool operator<(const Look& o) const { return key() < o.key(); }
  // The default format will do.
  bool plain() const { return key() == Look().key(); }

 private:
  std::tuple<int, uint32_t, int, bool, bool, bool, bool, bool, bool> key() const {
    return std::make_tuple(style, fill, decimals, wrapped, wholeNumber, bold, link, number, right);
  }
};

class SheetWriter {
 public:
  SheetWriter(lxw_workbook* book, std::map<Look, lxw_format*>& formats, const std::string& path)
      : book_(book), formats_(formats), path_(path) {}

  void write(const Layout::Sheet& sheet) {
    sheet_ = &sheet;
    ws_ = workbook_add_worksheet(book_, safeSheetName(sheet.name).c_str());
    if (!ws_) fail(LXW_ERROR_SHEETNAME_ALREADY_USED, 0);
    widths_.clear();
    heights_.clear();
    for (const Table& t : sheet.tables) table(t);
    for (const auto& h : heights_) worksheet_set_row(ws_, h.first, h.second, nullptr);
    for (size_t c = 0; c < widths_.size(); ++c) {
      if (widths_[c] > 0) {
        double width = std::min(kMaxWidth, std::max(kMinWidth, widths_[c] + 2.0));
        worksheet_set_column(ws_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, nullptr);
      }
    }
    if (sheet.frozenRows > 0) worksheet_freeze_panes(ws_, static_cast<lxw_row_t>(sheet.frozenRows), 0);
    if (sheet.landscape) worksheet_set_landscape(ws_);
    bool picture = sheet.kind == Layout::Sheet::kFrame || sheet.kind == Layout::Sheet::kDiagram;
    if (picture) worksheet_gridlines(ws_, LXW_HIDE_ALL_GRIDLINES);
    if (sheet.kind != Layout::Sheet::kData && sheet.kind != Layout::Sheet::kSteering) {
      worksheet_fit_to_pages(ws_, 1, 0);
    }
  }

 private:
  void table(const Table& t) {
    int row = t.row;
    if (!t.caption.empty()) cell(row++, t.column, Cell::textOf(t.caption, Cell::kLabel), false, false);
    std::vector<bool> numeric = numericColumns(t);
    for (const Layout::Row& r : t.header) line(row++, t.column, r, t.fitted, numeric);
    int lastHeader = row - 1;
    for (const Layout::Row& r : t.body) line(row++, t.column, r, t.fitted, {});
    if (t.filter && !t.header.empty()) {
      lxw_error e = worksheet_autofilter(ws_, static_cast<lxw_row_t>(lastHeader), static_cast<lxw_col_t>(t.column),
                                         static_cast<lxw_row_t>(row - 1),
                                         static_cast<lxw_col_t>(t.column + t.width() - 1));
      if (e != LXW_NO_ERROR) fail(e, lastHeader);
    }
  }

  // Columns of `t` whose body holds numbers only: their headings stand right.
  static std::vector<bool> numericColumns(const Table& t) {
    std::vector<bool> numeric(static_cast<size_t>(t.width()), !t.body.empty());
    for (const Layout::Row& r : t.body) {
      for (size_t i = 0; i < numeric.size(); ++i) {
        if (i >= r.size() || r[i].kind != Cell::kNumber) numeric[i] = false;
      }
    }
    return numeric;
  }

  void line(int row, int column, const Layout::Row& cells, int fitted, const std::vector<bool>& right) {
    for (size_t i = 0; i < cells.size(); ++i) {
      cell(row, column + static_cast<int>(i), cells[i], static_cast<int>(i) < fitted, i < right.size() && right[i]);
    }
  }

  void cell(int row, int column, const Cell& c, bool fit, bool right) {
    lxw_row_t r = static_cast<lxw_row_t>(row);
    lxw_col_t col = static_cast<lxw_col_t>(column);
    bool wrap = c.text.find('\n') != std::string::npos;
    lxw_format* f = format(c, wrap, right);
    lxw_error e = LXW_NO_ERROR;
    if (c.kind == Cell::kNumber) {
      e = worksheet_write_number(ws_, r, col, c.number, f);
    } else if (c.kind == Cell::kText && c.style == Cell::kUnit && wrap) {
      e = writeUnit(r, col, c.text, f);
    } else if (c.kind == Cell::kText && !c.link.empty()) {
      e = worksheet_write_formula_str(ws_, r, col, hyperlink(c.link, c.text).c_str(), f, c.text.c_str());
    } else if (c.kind == Cell::kText) {
      e = worksheet_write_string(ws_, r, col, c.text.c_str(), f);
    } else if (f) {
      e = worksheet_write_blank(ws_, r, col, f);
    }
    if (e != LXW_NO_ERROR) fail(e, row);
    if (fit) widen(static_cast<size_t>(column), longestLine(c.text) + (c.style == Cell::kHeader || right || c.kind == Cell::kNumber ? 1 : 0));
    if (wrap) heights_[r] = std::max(heights_[r], kLineHeight * lineCount(c.text));
    if (c.style == Cell::kTitle) heights_[r] = std::max(heights_[r], kTitleHeight);
  }

  // A unit's text: its first line (the unit's name) bold, the others plain.
  lxw_error writeUnit(lxw_row_t r, lxw_col_t col, const std::string& text, lxw_format* f) {
    size_t cut = text.find('\n');
    std::string name = text.substr(0, cut), rest = text.substr(cut);
    lxw_rich_string_tuple first{fontFormat(true), &name[0]}, second{fontFormat(false), &rest[0]};
    lxw_rich_string_tuple* parts[] = {&first, &second, nullptr};
    return worksheet_write_rich_string(ws_, r, col, parts, f);
  }

  // A link as the HYPERLINK function: libxlsxwriter's own hyperlinks take
  // some 3 KiB each until the workbook is closed (30 MiB for the index of a
  // 10,000-instance batch); the function is as clickable and takes none.
  static std::string hyperlink(const std::string& target, const std::string& text) {
    return "=HYPERLINK(" + quoted(target) + "," + quoted(text) + ")";
  }

  static std::string quoted(const std::string& text) {
    std::string q = "\"";
    for (char c : text) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
  }

  // A font alone, for the parts of a rich string.
  lxw_format* fontFormat(bool bold) {
    Look look;
    look.style = -1;
    look.bold = bold;
    auto at = formats_.find(look);
    if (at != formats_.end()) return at->second;
    lxw_format* f = workbook_add_format(book_);
    if (bold) format_set_bold(f);
    return formats_.emplace(look, f).first->second;
  }

  void widen(size_t column, size_t width) {
    if (widths_.size() <= column) widths_.resize(column + 1, 0);
    widths_[column] = std::max(widths_[column], static_cast<double>(width));
  }

  lxw_format* format(const Cell& c, bool wrap, bool right) {
    Look look;
    look.style = c.style;
    look.fill = c.fill;
    look.decimals = c.decimals;
    look.wrapped = wrap;
    look.number = c.kind == Cell::kNumber && c.style != Cell::kValue;
    look.wholeNumber = c.kind == Cell::kNumber && c.decimals == 0 && c.text.size() > kGeneralDigits;
    look.bold = c.style == Cell::kUnit && !wrap;
    look.link = !c.link.empty();
    look.right = right;
    if (look.plain()) return nullptr;
    auto at = formats_.find(look);
    if (at != formats_.end()) return at->second;
    lxw_format* f = workbook_add_format(book_);
    style(f, c.style, c.fill);
    if (look.bold) format_set_bold(f);
    if (look.link) {
      format_set_font_color(f, kLinkColour);
      format_set_underline(f, LXW_UNDERLINE_SINGLE);
    }
    if (look.number || look.right) {
      format_set_align(f, LXW_ALIGN_RIGHT);
      format_set_indent(f, 1);
    }
    if (c.decimals > 0) format_set_num_format(f, ("0." + std::string(static_cast<size_t>(c.decimals), '0')).c_str());
    if (look.wholeNumber) format_set_num_format(f, "0");
    if (wrap) format_set_text_wrap(f);
    formats_.emplace(look, f);
    return f;
  }

  static void style(lxw_format* f, int style, uint32_t fill) {
    switch (style) {
      case Cell::kTitle: format_set_bold(f); format_set_font_size(f, kTitleSize); break;
      case Cell::kLabel:
        format_set_bold(f);
        format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        break;
      case Cell::kValue: format_set_align(f, LXW_ALIGN_LEFT); break;
      case Cell::kHeader:
        format_set_bold(f);
        format_set_bg_color(f, fill ? fill : kHeaderFill);
        format_set_bottom(f, LXW_BORDER_THIN);
        format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        break;
      case Cell::kUnit:
        format_set_border(f, LXW_BORDER_THIN);
        format_set_text_wrap(f);
        format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        break;
      case Cell::kNote: format_set_font_color(f, kNoteColour); break;
      default: break;
    }
    if (fill && style != Cell::kHeader) format_set_bg_color(f, fill);
  }

  [[noreturn]] void fail(lxw_error e, int row) const {
    throw WorkbookError("Cannot write the workbook " + path_ + ": " + lxw_strerror(e) + " (sheet " +
                        sheet_->name + ", row " + std::to_string(row + 1) + ")");
  }

  lxw_workbook* book_;
  std::map<Look, lxw_format*>& formats_;
  const std::string& path_;
  const Layout::Sheet* sheet_ = nullptr;
  lxw_worksheet* ws_ = nullptr;
  std::vector<double> widths_;
  std::map<lxw_row_t, double> heights_;
};

// The workbook being written; freed unwritten when a sheet fails.
class Book {
 public:
  explicit Book(const std::string& path) : book_(workbook_new(path.c_str())) {
    if (!book_) throw WorkbookError("Cannot write the workbook " + path + ": out of memory");
  }
  ~Book() {
    if (book_) lxw_workbook_free(book_);
  }
  Book(const Book&) = delete;
  Book& operator=(const Book&) = delete;

  lxw_workbook* get() { return book_; }
  // Writes the file; the workbook is gone afterwards, whatever the outcome.
  lxw_error close() {
    lxw_workbook* book = book_;
    book_ = nullptr;
    return workbook_close(book);
  }

 private:
  lxw_workbook* book_;
};
}  // namespace

void GeneratedWorkbook::write(const Layout& layout, const std::string& path) {
  XlsxWorkingMemory::prepare();
  Book book(path);
  lxw_doc_properties properties{};
  std::string title = layout.title, subject = layout.subject, author = "tarnel-report";
  properties.title = &title[0];
  properties.subject = &subject[0];
  properties.author = &author[0];
  properties.created = workbookTime(layout.time);
  workbook_set_properties(book.get(), &properties);
  std::map<Look, lxw_format*> formats;
  SheetWriter writer(book.get(), formats, path);
  for (const Layout::Sheet& sheet : layout.sheets) writer.write(sheet);
  errno = 0;
  lxw_error e = book.close();
  if (e != LXW_NO_ERROR) {
    // The system's reason (a full disk, a folder that cannot be written) when
    // there is one; libxlsxwriter's own words say less.
    throw WorkbookError("Cannot write the workbook " + path + ": " + (errno ? std::strerror(errno) : lxw_strerror(e)));
  }
}
