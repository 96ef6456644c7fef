// XlsxReader: a written workbook read back for tests, with libzip and libxml2:
// its sheets in order and their cells as text. A number reads as it is
// stored ("7", "27"), a string in double quotes ("\"CELL00007\"", rich text
// joined), a formula as "=FORMULA -> \"value\"". Throws std::runtime_error
// when the file is not a workbook.
#ifndef TARNEL_TESTS_SUPPORT_XLSXREADER_H_
#define TARNEL_TESTS_SUPPORT_XLSXREADER_H_

#include <map>
#include <string>
#include <vector>

class XlsxReader {
 public:
  explicit XlsxReader(const std::string& path);

  const std::vector<std::string>& sheetNames() const { return names_; }
  // The rows of `sheet` from row 1 to its last, each its cells from column A
  // to its last, joined by " | " (an empty cell is empty).
  std::vector<std::string> rows(const std::string& sheet) const;
  // The sheet's XML, for what cells do not show (panes, filters, widths).
  const std::string& sheetXml(const std::string& sheet) const;
  // Any part of the package, by name ("docProps/core.xml").
  std::string part(const std::string& name) const;

 private:
  std::string path_;
  std::vector<std::string> names_;
  std::map<std::string, std::string> sheetXml_;                           // by sheet name
  std::map<std::string, std::map<std::pair<int, int>, std::string>> cells_;  // by sheet, (row, column)
};

#endif  // TARNEL_TESTS_SUPPORT_XLSXREADER_H_
