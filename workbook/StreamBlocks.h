// StreamBlocks: a report stream's lines grouped into the blocks a reader sees,
// parsed once for the report sheet and the pictures. Blank lines end blocks;
// so does a change of kind:
//   text        lines of one value (titles, the 1xEV header lines);
//   name/value  lines "name<TAB>value";
//   pivot       lines "PREFIX_field[key]<TAB>value" of one prefix: a row per
//               key, a column per field. The prefix is the part before the
//               first '_' when it has no lower-case letter ("FACE", "3G");
//               otherwise there is none ("laf_number[021]"). A key seen again,
//               or a key with other fields, starts a new table;
//   columns     lines of three values or more, of one count;
//   placement   the series-2 placement lines: kind L, ST, TR, SAT or DRE,
//               then frame, second coordinate and row position (whole
//               numbers), then the text.
// Holds indices into the rows it was given, which must outlive it.
#ifndef TARNEL_WORKBOOK_STREAMBLOCKS_H_
#define TARNEL_WORKBOOK_STREAMBLOCKS_H_

#include <cstddef>
#include <string>
#include <vector>

#include "workbook/DataSheet.h"

struct StreamBlock {
  enum Kind { kText, kNameValue, kPivot, kColumns, kPlacement };
  Kind kind = kText;
  size_t first = 0, last = 0;        // the block's lines: [first, last)
  std::string prefix;                // kPivot: the prefix, "" when none
  std::vector<std::string> fields;   // kPivot: the fields, in order
  std::vector<std::string> keys;     // kPivot: the keys, in order
  // kPivot: the line of keys[k]'s fields[f] (every field is set for every key).
  std::vector<std::vector<size_t>> lineOf;
};

class StreamBlocks {
 public:
  // The blocks of rows [first, last).
  static std::vector<StreamBlock> parse(const std::vector<DataRow>& rows, size_t first, size_t last);

  // A pivot line's parts; false when `name` is not "field[key]".
  static bool splitPivot(const std::string& name, std::string& prefix, std::string& field,
                         std::string& key);
  // Whether `row` is a placement line.
  static bool isPlacement(const DataRow& row);
};

#endif  // TARNEL_WORKBOOK_STREAMBLOCKS_H_
