// Layout: a finished report as a reader sees it, whatever draws it: sheets in
// order, each holding tables placed on a grid of rows and columns, each table
// a caption, header rows and body rows of typed cells. LayoutBuilder makes it
// from a run's stream and steering data; GeneratedWorkbook writes it as a
// workbook; the portal renders the same layout as HTML. Plain values without
// any renderer's types: copyable, and safe to read from several threads.
//
// Positions count from 0. A table occupies the rows from `row` (its caption,
// when it has one), then its header rows, then its body rows; and the columns
// from `column` to `column + width() - 1`. Tables of a sheet never overlap.
#ifndef TARNEL_WORKBOOK_LAYOUT_H_
#define TARNEL_WORKBOOK_LAYOUT_H_

#include <cstdint>
#include <string>
#include <vector>

struct Layout {
  struct Cell {
    enum Kind { kEmpty, kNumber, kText };
    enum Style {
      kPlain,   // a value
      kValue,   // a value of a name/value list: aligned to the left like its name
      kTitle,   // the sheet's title line (large, bold)
      kLabel,   // the name of a row: the title block's labels, names of name/value tables
      kHeader,  // a column heading: bold on a fill
      kUnit,    // a piece of equipment (frame unit, microcell): boxed, wrapped, on `fill`
      kNote,    // an explanation: legend text, "nothing placed", the run's details
    };
    Kind kind = kEmpty;
    Style style = kPlain;
    double number = 0;     // kNumber: the value
    int decimals = 0;      // kNumber: digits after the point, as written ("27.0": 1)
    std::string text;      // what is shown; a number as written; lines separated by '\n'
    uint32_t fill = 0;     // background colour 0xRRGGBB; 0: none (the style's own)
    std::string link;      // hyperlink target, a path relative to the workbook; "": none

    // A value of the stream: a plain decimal number ("-93", "14.7", "27.0";
    // no leading zero, at most 15 digits) becomes a number shown with the
    // decimals it was written with; anything else is text exactly as written.
    static Cell value(const std::string& written, Style style = kPlain);
    // Text, never a number ("007" stays text).
    static Cell textOf(const std::string& text, Style style = kPlain);
    // A whole number.
    static Cell numberOf(long long number, Style style = kPlain);
  };
  typedef std::vector<Cell> Row;

  static const int kAllColumns = 1 << 14;

  struct Table {
    int row = 0;             // first row: the caption's, or the first header's
    int column = 0;          // first column
    std::string caption;     // bold line above the table; "": none
    std::vector<Row> header; // column headings, top to bottom
    std::vector<Row> body;   // the rows; an empty row is a blank line
    bool filter = false;     // an autofilter over the last header row and the body
    int fitted = kAllColumns;  // how many of its columns, from the first, are widened
                               // to their cells' text; the others' text runs over into
                               // the empty cells to its right (title block, text lines)

    int height() const;      // rows occupied: caption, header and body
    int width() const;       // columns occupied: the longest row
    int firstBodyRow() const { return row + (caption.empty() ? 0 : 1) + static_cast<int>(header.size()); }
  };

  struct Sheet {
    enum Kind {
      kReport,    // the title block and the stream by block
      kFrame,     // a series-2 frame drawn as a grid of shelves and positions
      kDiagram,   // the microcells of a site with their statuses and rows
      kData,      // the stream as written, one line per row from A1
      kSteering,  // the steering entries, one per row from A1
      kIndex,     // a batch's instances with their outcomes and workbooks
    };
    Kind kind = kReport;
    std::string name;        // a valid sheet name (31 characters, no []:*?/\)
    std::vector<Table> tables;
    int frozenRows = 0;      // rows kept in view at the top when scrolling
    bool landscape = false;  // printed across the page
  };

  std::string title;    // the document's title (report and instance)
  std::string subject;  // the document's subject (the report class)
  std::string time;     // when the report ran, ISO 8601 in UTC; "": unknown
  std::vector<Sheet> sheets;
};

#endif  // TARNEL_WORKBOOK_LAYOUT_H_
