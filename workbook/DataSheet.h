// DataSheet: the "Data" and "Steering" sheets as cells, the same in a filled
// template and in a generated workbook. Data holds the stream, one line per
// row from A1, split at tabs; Steering one row per steering entry (name,
// value). A value that is a whole decimal number becomes a number cell,
// ="text" becomes the text, anything else stays a string exactly as written.
#ifndef TARNEL_WORKBOOK_DATASHEET_H_
#define TARNEL_WORKBOOK_DATASHEET_H_

#include <string>
#include <vector>

#include "workbook/ReportFiles.h"

struct DataCell {
  enum Kind { kEmpty, kNumber, kString };
  Kind kind = kEmpty;
  double number = 0;
  std::string text;  // the string, or the number as written

  // The cell a stream value becomes.
  static DataCell of(const std::string& value);
};

typedef std::vector<DataCell> DataRow;

// The stream's lines as rows (a final line feed ends the last line; it does
// not start a new one). Empty values are empty cells.
std::vector<DataRow> dataRows(const std::string& stream);
// One row per steering entry: name, value (a runMacro code is a number).
std::vector<DataRow> steeringRows(const ReportFiles& files);

// Sheet names of the workbook's own sheets.
extern const char kDataSheet[];
extern const char kSteeringSheet[];

// `name` made a valid sheet name: at most 31 characters; no [ ] : * ? / or
// backslash (each becomes '_'); not empty; no apostrophe at either end.
std::string safeSheetName(const std::string& name);

#endif  // TARNEL_WORKBOOK_DATASHEET_H_
