// PartName: names of the parts of a workbook package as its zip entries
// hold them ("xl/workbook.xml", no leading slash; "" is the package itself):
// where a part's relationships are kept, what a relationship's target names,
// and how one part names another. Pure functions.
#ifndef TARNEL_WORKBOOK_PARTNAME_H_
#define TARNEL_WORKBOOK_PARTNAME_H_

#include <set>
#include <string>

class PartName {
 public:
  // The relationships part of `part`: "xl/_rels/workbook.xml.rels", "_rels/.rels" for "".
  static std::string relsOf(const std::string& part);
  // The part a relationship of `source` with target `target` names
  // ("../drawings/drawing1.xml" from "xl/worksheets/sheet1.xml" is
  // "xl/drawings/drawing1.xml"; "/xl/styles.xml" is "xl/styles.xml").
  static std::string resolve(const std::string& source, const std::string& target);
  // The target by which `source` names `part` (the inverse of resolve).
  static std::string relative(const std::string& source, const std::string& part);
  // "/" + part, as [Content_Types].xml names it.
  static std::string absolute(const std::string& part) { return "/" + part; }
  // A name for a new part like `part` ("xl/charts/chart1.xml" gives
  // "xl/charts/chart<n>.xml") that is not in `taken` (compared without case).
  static std::string numbered(const std::string& part, const std::set<std::string>& taken);
  // `name` in lower case (ASCII), as part and sheet names compare.
  static std::string folded(const std::string& name);
};

#endif  // TARNEL_WORKBOOK_PARTNAME_H_
